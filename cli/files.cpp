#include "files.h"

#include "console.h"

#include "app/sysset.h"
#include "channels/channelcodec.h"
#include "data/datafile.h"
#include "data/pagestore.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

bool LoadImage(const QString &path, RadioData_S *image)
{
    switch (LoadRadioDataFile(path, kModelWord, image)) {
    case DataFileError::None:
        return true;
    case DataFileError::WrongSize:
        Fail(path, QStringLiteral("not a data file (must be exactly %1 bytes)").arg(kImageSize));
        return false;
    default:
        Fail(path, QFileInfo::exists(path) ? QStringLiteral("cannot open for reading and writing")
                                           : QStringLiteral("no such file"));
        return false;
    }
}

namespace {

// Replaces path atomically: a failed save leaves the old file as it was.
// why: the system's reason for a failure.
bool Replace(const QString &path, const QByteArray &bytes, QString *why)
{
    if (path.isEmpty()) {
        *why = QStringLiteral("no file name");
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *why = file.errorString();
    return false;
}

} // namespace

// Saved as the window saves a data file, with the reason of a failure.
bool SaveImage(const QString &path, const RadioData_S &image)
{
    QString why;
    if (SaveRadioDataFile(path, image, &why) == DataFileError::None)
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
    if (Replace(path, bytes, &why))
        return true;
    Fail(path, QStringLiteral("cannot write the file: ") + why);
    return false;
}

bool LoadSettings(SysSet_S *set)
{
    const QFileInfo info(QString::fromLatin1(kSysSetFile));
    if (!info.isFile() || !info.isReadable()) {
        Fail(QString::fromLatin1(kSysSetFile),
             QStringLiteral("settings file not found (run radiocps-cli in the run folder)"));
        return false;
    }
    ReadSysSetFile(QString::fromLatin1(kSysSetFile), set);
    return true;
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
