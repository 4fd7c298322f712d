#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// The settings file: INI, GB2312, every key in group SYSSET. All values are
// kept as text; numbers are converted where they are used.
struct SysSet_S {
    QString SerialNumber;   // the chosen serial port
    QString Language;       // "Chinese" or "English"
    QString FirstRun;       // "Yes" asks for the first-run language choice
    QString StartBand;      // MHz
    QString EndBand;        // MHz
    QString Version;
    QString FilePathDef;    // default data file
    QString ChanNum;        // maximum channel rows, at most 22
    QString ChanLimit;      // 0: restricted channel editing
    QString BandRangText;
    QString SoftName;
    QString ChCompName;
    QString EnCompName;
    QString FastLink;       // "Yes": replies end as soon as their confirm is complete
    QString VerifyWrite;    // "Yes": a write is read back and compared
    QStringList RecentFiles;   // absolute paths, the latest first; kept as file: URLs
};

extern const char kSysSetFile[];   // "./datafile/sysset.ini"

// Reads every key (absent keys read empty) with the fallbacks applied:
// empty FilePathDef becomes the default data file, ChanNum is limited to
// 0..22. Returns the model word, always 0x6B05.
uint16_t ReadSysSetFile(const QString &path, SysSet_S *set);

// Writes SerialNumber, Language, FirstRun and LastMacModel ("%X" of model),
// then FastLink and VerifyWrite unless they are empty (never chosen), and
// RecentFiles (removed when empty); every other key in the file is kept.
void SaveSysSetFile(const QString &path, const SysSet_S &set, uint16_t model);

// First run: when FirstRun is exactly "Yes" it becomes "No" and Language is
// chosen from the locale identifier. Returns whether anything changed (the
// caller then saves).
bool ApplyFirstRun(SysSet_S *set, uint32_t localeId);

// Windows locale identifiers that count as Chinese.
constexpr uint32_t kLcidChineseTaiwan = 0x0404;
constexpr uint32_t kLcidChinesePrc = 0x0804;

// The system's default locale as a Windows locale identifier. On other
// platforms QLocale::system() is mapped: Chinese of Taiwan is 0x0404,
// Chinese of the PRC, Singapore or in simplified script 0x0804, anything
// else 0.
uint32_t SystemDefaultLocaleId();

// Whether a Yes/No setting is on: exactly "Yes".
inline bool SysSetYes(const QString &text) { return text == QLatin1String("Yes"); }
inline QString SysSetYesNo(bool on) { return on ? QStringLiteral("Yes") : QStringLiteral("No"); }

// A settings text as a decimal integer; 0 when it is not one.
int SysSetInt(const QString &text);
