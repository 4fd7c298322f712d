// A settings file of any content: read with its fallbacks, its numbers used
// as the window uses them, then the keys the program saves written back.
#include "fuzztargets.h"

#include "app/sysset.h"
#include "channels/channelcodec.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>

bool FuzzSysSet(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static qint64 serial = 0;
    const QString path = dir.filePath(QStringLiteral("sysset.ini"));
    // QSettings caches a file by name, size and time stamp: each input gets a
    // time stamp of its own (Qt keeps state for every new name, and slows down).
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)
        || !f.flush() || !f.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++serial), QFile::FileModificationTime))
        return FuzzFail("sysset", "cannot write the input file");
    f.close();
    SysSet_S set;
    if (ReadSysSetFile(path, &set) != 0x6B05)
        return FuzzFail("sysset", "model word is not 0x6B05");
    const int rows = SysSetInt(set.ChanNum);
    if (rows < 0 || rows > 22 || set.FilePathDef.isEmpty())
        return FuzzFail("sysset", "ChanNum or FilePathDef outside its fallback");
    const qint64 start = BandEdgeHz(SysSetInt(set.StartBand)), end = BandEdgeHz(SysSetInt(set.EndBand));
    if (start < 0 || start > INT32_MAX || end < 0 || end > INT32_MAX)
        return FuzzFail("sysset", "band edge outside 0..INT32_MAX Hz");
    for (int r = 0; r < rows; ++r) {
        const qint64 hz = ChannelFreqFromEditorText(ChannelDefaultFreqText(start, r), start, end);
        if (end > start && (hz < start || hz >= end))
            return FuzzFail("sysset", "an added row's frequency is outside the band");
    }

    ApplyFirstRun(&set, 0x0804);
    SaveSysSetFile(path, set, 0x6B05);
    SysSet_S back;
    ReadSysSetFile(path, &back);
    // Saved keys read back as saved when the codec can hold them.
    for (auto field : {&SysSet_S::SerialNumber, &SysSet_S::Language, &SysSet_S::FirstRun})
        if (QTextCodec::codecForName("GB2312")->canEncode(set.*field) && back.*field != set.*field)
            return FuzzFail("sysset", "a saved key does not read back");
    return true;
}
