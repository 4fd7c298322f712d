#include "settingscodec.h"

#include <QCoreApplication>

namespace {

// Word items are translated with the settings page's context; digits,
// time-outs and ratios are the same in every language.
const char *const kOffOn[] = {QT_TRANSLATE_NOOP("MACSET_Form", "关闭"), QT_TRANSLATE_NOOP("MACSET_Form", "打开")};
const char *const kLevels0to9[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const char *const kScanWays[] = {QT_TRANSLATE_NOOP("MACSET_Form", "载波"), QT_TRANSLATE_NOOP("MACSET_Form", "时间")};
const char *const kVoiceTypes[] = {QT_TRANSLATE_NOOP("MACSET_Form", "中文"), QT_TRANSLATE_NOOP("MACSET_Form", "英文")};
const char *const kVoxLevels[] = {QT_TRANSLATE_NOOP("MACSET_Form", "关闭"), "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const char *const kTimeOuts[] = {QT_TRANSLATE_NOOP("MACSET_Form", "关闭"), "30S", "60S", "90S", "120S", "150S",
                                 "180S", "210S", "240S", "270S", "300S"};
const char *const kPowSave[] = {QT_TRANSLATE_NOOP("MACSET_Form", "关闭"), "1:1", "1:2", "1:3"};
const char *const kSendCond[] = {QT_TRANSLATE_NOOP("MACSET_Form", "发射开始"),
                                 QT_TRANSLATE_NOOP("MACSET_Form", "发射结束")};

template <size_t N>
constexpr int Count(const char *const (&)[N])
{
    return static_cast<int>(N);
}

bool HexDigit(QChar c, uint8_t *value)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        *value = static_cast<uint8_t>(u - '0');
    else if (u >= 'A' && u <= 'F')
        *value = static_cast<uint8_t>(u - 'A' + 10);
    else if (u >= 'a' && u <= 'f')
        *value = static_cast<uint8_t>(u - 'a' + 10);
    else
        return false;
    return true;
}

} // namespace

#define ITEMS(list) Count(list), list

const SettingField_S kSettingFields[SettingCount] = {
    {ImageOffset::SqlLev, "SqlLev", QT_TRANSLATE_NOOP("MACSET_Form", "静噪等级"), ITEMS(kLevels0to9)},
    {ImageOffset::ScanWay, "ScanWay", QT_TRANSLATE_NOOP("MACSET_Form", "扫描方式"), ITEMS(kScanWays)},
    {ImageOffset::Tail, "Tail", QT_TRANSLATE_NOOP("MACSET_Form", "尾音消除"), ITEMS(kOffOn)},
    {ImageOffset::KeyTone, "KeyTone", QT_TRANSLATE_NOOP("MACSET_Form", "发射带1750音"), ITEMS(kOffOn)},
    {ImageOffset::VoiType, "VoiType", QT_TRANSLATE_NOOP("MACSET_Form", "语音类型"), ITEMS(kVoiceTypes)},
    {ImageOffset::FallAlarm, "FallAlarm", QT_TRANSLATE_NOOP("MACSET_Form", "倒地报警"), ITEMS(kOffOn)},
    {ImageOffset::VoxLev, "VoxLev", QT_TRANSLATE_NOOP("MACSET_Form", "声控等级"), ITEMS(kVoxLevels)},
    {ImageOffset::TotLev, "TotLev", QT_TRANSLATE_NOOP("MACSET_Form", "发射限时"), ITEMS(kTimeOuts)},
    {ImageOffset::PowSav, "PowSav", QT_TRANSLATE_NOOP("MACSET_Form", "省电比例"), ITEMS(kPowSave)},
    {ImageOffset::DtmEncCon, "DtmEncCon", QT_TRANSLATE_NOOP("MACSET_Form", "PTT发码条件"), ITEMS(kSendCond)},
    {ImageOffset::DtmEncTone, "DtmEncTone", QT_TRANSLATE_NOOP("MACSET_Form", "DTMF侧音"), ITEMS(kOffOn)},
};

#undef ITEMS

const DtmfCodeField_S kDtmfCodeFields[DtmfCodeCount] = {
    {ImageOffset::PttId, 8, "PttId", QT_TRANSLATE_NOOP("MACSET_Form", "PTT ID码"), "0123456789ABCDEF"},
    {ImageOffset::DtmfMacId, 4, "MacId", QT_TRANSLATE_NOOP("MACSET_Form", "身份码"), "0123456789"},
    {ImageOffset::StunCode, 8, "Stun", QT_TRANSLATE_NOOP("MACSET_Form", "遥晕码"), "0123456789ABCDEF"},
    {ImageOffset::KillCode, 8, "Kill", QT_TRANSLATE_NOOP("MACSET_Form", "遥毙码"), "0123456789ABCDEF"},
};

static_assert(ImageOffset::PttId + 8 == ImageOffset::DtmEncCon, "PTT ID code is 8 bytes");
static_assert(ImageOffset::StunCode + 8 == ImageOffset::KillCode, "stun code is 8 bytes");
static_assert(ImageOffset::KillCode + 8 == ImageOffset::FmFreqs, "kill code is 8 bytes");
static_assert(ImageOffset::FmFreqs + 2 * kFmChannels == ImageOffset::Channels, "16 FM words");

// --- option bytes ----------------------------------------------------------

int SettingPosFromCode(uint8_t code, int itemCount)
{
    return code < itemCount ? code : 0;
}

int SettingPos(const RadioData_S &image, SettingId_E id)
{
    const SettingField_S &f = kSettingFields[id];
    return SettingPosFromCode(image.at(f.offset), f.itemCount);
}

void StoreSetting(RadioData_S *image, SettingId_E id, int pos)
{
    const SettingField_S &f = kSettingFields[id];
    image->at(f.offset) = static_cast<uint8_t>(pos >= 0 && pos < f.itemCount ? pos : 0);
}

void StoreSettingZeroBytes(RadioData_S *image)
{
    for (int offset : kSettingZeroOffsets)
        image->at(offset) = 0;
}

QString SettingItemText(const RadioData_S &image, SettingId_E id)
{
    return QString::fromUtf8(kSettingFields[id].items[SettingPos(image, id)]);
}

// --- DTMF codes --------------------------------------------------------------

QString DtmfCodeFromField(const uint8_t *field, int len)
{
    static const char digits[] = "0123456789ABCDEF";
    QString code;
    for (int i = 0; i < len && field[i] <= 0x0F; ++i)
        code += QLatin1Char(digits[field[i]]);
    return code;
}

QString DtmfCode(const RadioData_S &image, DtmfCodeId_E id)
{
    const DtmfCodeField_S &f = kDtmfCodeFields[id];
    return DtmfCodeFromField(image.bytes() + f.offset, f.length);
}

int StoreDtmfCode(uint8_t *field, int len, const QString &code)
{
    int n = 0;
    uint8_t digit = 0;
    while (n < len && n < code.size() && HexDigit(code.at(n), &digit))
        field[n++] = digit;
    return n;
}

int StoreDtmfCode(RadioData_S *image, DtmfCodeId_E id, const QString &code)
{
    const DtmfCodeField_S &f = kDtmfCodeFields[id];
    return StoreDtmfCode(image->bytes() + f.offset, f.length, code);
}

// --- FM presets --------------------------------------------------------------

uint16_t FmWord(const RadioData_S &image, int channel)
{
    const int offset = ImageOffset::FmFreqs + 2 * channel;
    return static_cast<uint16_t>(image.at(offset) << 8 | image.at(offset + 1));
}

uint16_t FmMask(const RadioData_S &image)
{
    return static_cast<uint16_t>(image.at(ImageOffset::FmMask) << 8 | image.at(ImageOffset::FmMask + 1));
}

uint8_t FmStartChannel(const RadioData_S &image)
{
    return image.at(ImageOffset::FmStartChan);
}

QString FmWordText(uint16_t word)
{
    if (!FmWordValid(word))
        return QString();
    return QString::asprintf("%0.1lf", word / 10.0);
}

uint16_t FmWordFromCellText(const QString &text, bool *ok)
{
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    bool parsed = false;
    const int value = digits.toInt(&parsed, 10);
    const bool valid = parsed && value >= kFmWordMin && value <= kFmWordMax;
    if (ok)
        *ok = valid;
    return valid ? static_cast<uint16_t>(value) : 0;
}

void StoreFmChannels(RadioData_S *image, const QStringList &cellTexts)
{
    uint8_t start = kFmNoStartChannel;
    uint16_t mask = 0;
    for (int i = 0; i < kFmChannels && i < cellTexts.size(); ++i) {
        bool ok = false;
        const uint16_t word = FmWordFromCellText(cellTexts.at(i), &ok);
        if (!ok)
            continue;
        const int offset = ImageOffset::FmFreqs + 2 * i;
        image->at(offset) = static_cast<uint8_t>(word >> 8);
        image->at(offset + 1) = static_cast<uint8_t>(word & 0xFF);
        mask = static_cast<uint16_t>(mask | 1u << i);
        if (start == kFmNoStartChannel)
            start = static_cast<uint8_t>(i);
    }
    image->at(ImageOffset::FmStartChan) = start;
    image->at(ImageOffset::FmMask) = static_cast<uint8_t>(mask >> 8);
    image->at(ImageOffset::FmMask + 1) = static_cast<uint8_t>(mask & 0xFF);
}

QString FmEditorCommitText(const QString &typed, long lowestHz, long highestHz)
{
    if (typed.isEmpty())
        return QString();
    // Limited while still a double, so a long run of digits cannot overflow
    // the integer; a value in range is truncated toward zero (the added 1 Hz
    // keeps 88.1 from becoming 88.099999).
    const double hz = typed.toDouble() * 1000000.0 + 1.0;
    long v;
    if (!(hz >= lowestHz))
        v = lowestHz;
    else if (hz > highestHz)
        v = highestHz;
    else
        v = static_cast<long>(hz);
    return QString::asprintf("%0.1lf", v / 1000000.0);
}
