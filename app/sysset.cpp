#include "sysset.h"

#include "data/datafile.h"
#include "data/radiodata.h"

#include <QLocale>
#include <QSettings>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

const char kSysSetFile[] = "./datafile/sysset.ini";

namespace {
const char kGroup[] = "SYSSET";
const char kCodec[] = "GB2312";
const int kChanNumMax = 22;
} // namespace

int SysSetInt(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? v : 0;
}

uint16_t ReadSysSetFile(const QString &path, SysSet_S *set)
{
    QSettings ini(path, QSettings::IniFormat);
    ini.setIniCodec(kCodec);
    ini.beginGroup(kGroup);
    auto text = [&ini](const char *key) { return ini.value(key).toString(); };

    set->SerialNumber = text("SerialNumber");
    set->Language = text("Language");
    set->FirstRun = text("FirstRun");
    set->StartBand = text("StartBand");
    set->EndBand = text("EndBand");
    set->Version = text("Version");
    set->FilePathDef = text("FilePathDef");
    if (set->FilePathDef.isEmpty())
        set->FilePathDef = kDefaultDataFile;
    set->ChanNum = text("ChanNum");
    // Row count drives access to the 22 records: never above 22, never negative.
    if (SysSetInt(set->ChanNum) > kChanNumMax)
        set->ChanNum = QString::number(kChanNumMax);
    else if (SysSetInt(set->ChanNum) < 0)
        set->ChanNum = QStringLiteral("0");
    set->ChanLimit = text("ChanLimit");
    set->BandRangText = text("BandRangText");
    text("LastMacModel").toUInt(nullptr, 16);   // read, but the model is fixed
    set->SoftName = text("SoftName");
    set->ChCompName = text("ChCompName");
    set->EnCompName = text("EnCompName");
    set->FastLink = text("FastLink");
    set->VerifyWrite = text("VerifyWrite");
    // File URLs: ASCII whatever the path holds, so the GB2312 file keeps them.
    set->RecentFiles.clear();
    for (const QString &url : ini.value("RecentFiles").toStringList())
        if (const QString path = QUrl(url).toLocalFile(); !path.isEmpty())
            set->RecentFiles << path;
    return kModelWord;
}

void SaveSysSetFile(const QString &path, const SysSet_S &set, uint16_t model)
{
    QSettings ini(path, QSettings::IniFormat);
    ini.setIniCodec(kCodec);
    ini.beginGroup(kGroup);
    ini.setValue("SerialNumber", set.SerialNumber);
    ini.setValue("Language", set.Language);
    ini.setValue("FirstRun", set.FirstRun);
    ini.setValue("LastMacModel", QString::asprintf("%X", model));
    if (!set.FastLink.isEmpty())
        ini.setValue("FastLink", set.FastLink);
    if (!set.VerifyWrite.isEmpty())
        ini.setValue("VerifyWrite", set.VerifyWrite);
    QStringList urls;
    for (const QString &path : set.RecentFiles)
        urls << QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    if (urls.isEmpty())
        ini.remove("RecentFiles");
    else
        ini.setValue("RecentFiles", urls);
    ini.endGroup();
    ini.sync();
}

bool ApplyFirstRun(SysSet_S *set, uint32_t localeId)
{
    if (set->FirstRun != QLatin1String("Yes"))
        return false;
    set->FirstRun = QStringLiteral("No");
    set->Language = (localeId == kLcidChineseTaiwan || localeId == kLcidChinesePrc)
            ? QStringLiteral("Chinese") : QStringLiteral("English");
    return true;
}

uint32_t SystemDefaultLocaleId()
{
#ifdef Q_OS_WIN
    return static_cast<uint32_t>(GetSystemDefaultLCID());
#else
    const QLocale locale = QLocale::system();
    if (locale.language() != QLocale::Chinese)
        return 0;
    switch (locale.country()) {
    case QLocale::Taiwan:
        return kLcidChineseTaiwan;
    case QLocale::China:
    case QLocale::Singapore:
        return kLcidChinesePrc;
    case QLocale::HongKong:
    case QLocale::Macau:
        return 0;
    default:
        return locale.script() == QLocale::SimplifiedChineseScript ? kLcidChinesePrc : 0;
    }
#endif
}
