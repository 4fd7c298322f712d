#include "commands.h"

#include "console.h"
#include "files.h"
#include "radiolink.h"

#include <QCommandLineParser>

namespace {

Exit Verify(const QCommandLineParser &parser)
{
    QString port, path;
    RadioData_S expected{};
    if (const Exit status = PortAndImage(parser, "verify", &port, &path, &expected); status != Exit::Ok)
        return status;
    return VerifyRadio(port, expected, QStringLiteral("The radio on %1 holds %2\n").arg(port, path), false);
}

} // namespace

Command VerifyCommand()
{
    return {"verify", "compare the radio with a data file",
            "Reads the radio on PORT and compares its memory (0x0080..0x023F) with\n"
            "what write would send for FILE.dat; reports the first differing radio\n"
            "address. Exit status 4 on a difference.",
            {{QStringLiteral("PORT"), QString::fromLatin1(kPortMeaning)},
             {QStringLiteral("FILE.dat"), QStringLiteral("the data file to compare with")}},
            {{QStringLiteral("raw"), QStringLiteral("compare with the file's memory window byte for byte")},
             FastOption(), SettingsOption()},
            Verify};
}
