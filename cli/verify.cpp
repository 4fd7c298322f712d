#include "commands.h"

#include "console.h"
#include "files.h"
#include "radiolink.h"

#include <QCommandLineParser>

namespace {

Exit Verify(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 2) {
        Fail(QStringLiteral("verify"), QStringLiteral("expects PORT FILE.dat"));
        return Exit::Usage;
    }
    const QString port = parser.positionalArguments().at(0);
    const QString path = parser.positionalArguments().at(1);
    RadioData_S expected{};
    if (!ImageToSend(path, parser.isSet(QStringLiteral("raw")), &expected))
        return Exit::FileError;
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
             SettingsOption()},
            Verify};
}
