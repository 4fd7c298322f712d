#include "commands.h"

#include "console.h"

#include "link/serial.h"

#include <QCommandLineParser>

namespace {

Exit Ports(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty()) {
        Fail(QStringLiteral("ports"), QStringLiteral("takes no arguments"));
        return Exit::Usage;
    }
    Serial serial(nullptr, SERIALLINE_NORMAL);
    for (const QString &name : serial.check_serial_ports())
        Out(name + QLatin1Char('\n'));
    return Exit::Ok;
}

} // namespace

Command PortsCommand()
{
    return {"ports", "the serial ports present", "Lists the serial ports present, one per line.", {}, {}, Ports};
}
