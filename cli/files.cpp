#include "files.h"

#include "console.h"

#include "app/sysset.h"
#include "channels/channelcodec.h"
#include "data/datafile.h"
#include "data/pagestore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

bool LoadImage(const QString &path, RadioData_S *image)
{
    switch (LoadRadioDataFile(path, kModelWord, image, true)) {
    case DataFileError::None:
        return true;
    case DataFileError::WrongSize:
        Fail(path, QStringLiteral("not a data file (must be exactly %1 bytes)").arg(kImageSize));
        return false;
    default:
        Fail(path, QFileInfo::exists(path) ? QStringLiteral("cannot open for reading")
                                           : QStringLiteral("no such file"));
        return false;
    }
}

// Saved as the window saves a data file, with the reason of a failure.
bool SaveImage(const QString &path, const RadioData_S &image, bool privateFile)
{
    QString why;
    if (SaveRadioDataFile(path, image, &why, privateFile) == DataFileError::None)
        return true;
    Fail(path, QStringLiteral("cannot write the data file: ") + why);
    return false;
}

bool SaveText(const QString &path, const QByteArray &bytes)
{
    if (path == QLatin1String("-")) {
        OutBytes(bytes);
        return true;
    }
    QString why;
    if (SaveFileBytes(path, bytes, &why) == DataFileError::None)
        return true;
    Fail(path, QStringLiteral("cannot write the file: ") + why);
    return false;
}

namespace {

QString g_settingsFile;   // --settings FILE

// ${XDG_DATA_HOME:-~/.local/share}/radiocps, as the launcher makes it.
QString UserDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/radiocps");
}

bool InRunFolder()
{
    return QFileInfo(QString::fromLatin1(kSysSetFile)).isFile();
}

} // namespace

void UseSettingsFile(const QString &path)
{
    g_settingsFile = path;
}

QCommandLineOption SettingsOption()
{
    return {QStringLiteral("settings"),
            QStringLiteral("the settings file giving ChanNum and the band (default: ./datafile/sysset.ini, "
                           "else the per-user data folder's, else the installed one)"),
            QStringLiteral("FILE")};
}

bool LoadSettings(SysSet_S *set)
{
    QString path = g_settingsFile;
    if (path.isEmpty()) {
        const QStringList candidates = {QString::fromLatin1(kSysSetFile),
                                        UserDataFolder() + QStringLiteral("/datafile/sysset.ini"),
                                        QCoreApplication::applicationDirPath() + QStringLiteral("/" INSTALLED_SYSSET)};
        for (const QString &candidate : candidates)
            if (path.isEmpty() && QFileInfo(candidate).isFile())
                path = candidate;
    }
    if (path.isEmpty()) {
        Fail(QString::fromLatin1(kSysSetFile),
             QStringLiteral("settings file not found (not in the run folder, the per-user data folder or the "
                            "installation; give --settings FILE)"));
        return false;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        Fail(path, info.exists() ? QStringLiteral("cannot read the settings file")
                                 : QStringLiteral("settings file not found"));
        return false;
    }
    ReadSysSetFile(path, set);
    return true;
}

QString BackupFolder()
{
    return InRunFolder() ? QStringLiteral("backups") : UserDataFolder() + QStringLiteral("/backups");
}

QString SaveBackup(const RadioData_S &backup, const QString &name)
{
    // Backups hold the DTMF stun and kill codes: a folder the tool makes and
    // every backup are the user's alone.
    const QString folder = BackupFolder();
    const bool made = !QFileInfo::exists(folder);
    if (!QDir().mkpath(folder)
        || (made && !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))) {
        Fail(folder, QStringLiteral("cannot create the backup folder, nothing written"));
        return QString();
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QStringLiteral("%1/%2-%3.dat").arg(folder, name, stamp);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1/%2-%3-%4.dat").arg(folder, name, stamp).arg(n);
    return SaveImage(path, backup, true) ? path : QString();
}

void NoteChannelCut(const QString &subject, const RadioData_S &image, int chanNum)
{
    const int count = std::min<int>(ChanCountRead(image), kMaxChannels);
    if (count > chanNum)
        Note(subject, QStringLiteral("%1 channels in use, ChanNum %2 keeps the first %2").arg(count).arg(chanNum));
}

bool ImageToSend(const QString &path, bool raw, RadioData_S *image)
{
    RadioData_S file{};
    SysSet_S set;
    if (!LoadImage(path, &file) || !LoadSettings(&set))
        return false;
    if (raw) {
        *image = file;
        return true;
    }
    const int chanNum = SysSetInt(set.ChanNum);
    NoteChannelCut(path, file, chanNum);
    *image = NormaliseImage(file, chanNum);
    return true;
}

Exit PortAndImage(const QCommandLineParser &parser, const char *command, QString *port, QString *path,
                  RadioData_S *image)
{
    if (parser.positionalArguments().size() != 2) {
        Fail(QLatin1String(command), QStringLiteral("expects PORT FILE.dat"));
        return Exit::Usage;
    }
    *port = parser.positionalArguments().at(0);
    *path = parser.positionalArguments().at(1);
    return ImageToSend(*path, parser.isSet(QStringLiteral("raw")), image) ? Exit::Ok : Exit::FileError;
}
