#include "commands.h"

#include "console.h"
#include "files.h"
#include "radiolink.h"

#include <QCommandLineParser>

namespace {

Exit Write(const QCommandLineParser &parser)
{
    QString port, path;
    RadioData_S expected{};
    if (const Exit status = PortAndImage(parser, "write", &port, &path, &expected); status != Exit::Ok)
        return status;

    QString backupPath;
    if (!parser.isSet(QStringLiteral("no-backup"))) {
        RadioData_S backup{};
        const Exit status = ReadRadio(port, &backup, "backup", QStringLiteral("backup read, nothing written"));
        if (status != Exit::Ok)
            return status;
        backupPath = SaveBackup(backup, QStringLiteral("radio"));
        if (backupPath.isEmpty())
            return Exit::FileError;
        Out(QStringLiteral("Backup of the radio saved as %1\n").arg(backupPath));
    }

    RadioData_S sent = expected;
    const Exit status = WriteRadio(port, &sent, path, backupPath);
    if (status != Exit::Ok)
        return status;

    if (parser.isSet(QStringLiteral("no-verify"))) {
        Out(QStringLiteral("Wrote %1 to %2 (not verified)\n").arg(path, port));
        return Exit::Ok;
    }
    return VerifyRadio(port, expected, QStringLiteral("Wrote %1 to %2 and verified it\n").arg(path, port), true);
}

} // namespace

Command WriteCommand()
{
    return {"write", "write a data file to the radio (backup, verify)",
            "Writes FILE.dat to the radio on PORT as the window would after opening it.\n"
            "First the radio's memory is read and saved as backups/radio-YYYYMMDD-HHMMSS.dat\n"
            "(./backups in a run folder, else in the per-user data folder); afterwards it\n"
            "is read back and compared, and the first differing radio address is reported.\n"
            "Exit status 3 when the write fails (the radio may then hold part of the\n"
            "file; write the backup with --raw to put back what it held), 8 when the\n"
            "write succeeded but the read-back failed (written, not verified).",
            {{QStringLiteral("PORT"), QString::fromLatin1(kPortMeaning)},
             {QStringLiteral("FILE.dat"), QStringLiteral("the data file to write to the radio")}},
            {{QStringLiteral("no-backup"), QStringLiteral("do not read and save the radio's memory first")},
             {QStringLiteral("no-verify"), QStringLiteral("do not read back and compare")},
             {QStringLiteral("raw"),
              QStringLiteral("send the file's memory window byte for byte, as a backup holds it, instead of "
                             "what the window would send")},
             FastOption(), SettingsOption()},
            Write};
}
