#include "imagefields.h"

#include "channels/channelcodec.h"
#include "data/datafile.h"
#include "settings/settingscodec.h"

#include <QHash>

namespace {

// English for the source texts of the page lists and labels.
const QHash<QString, QString> &EnglishTexts()
{
    static const QHash<QString, QString> texts = {
        {QStringLiteral("高"), QStringLiteral("high")},
        {QStringLiteral("低"), QStringLiteral("low")},
        {QStringLiteral("是"), QStringLiteral("yes")},
        {QStringLiteral("否"), QStringLiteral("no")},
        {QStringLiteral("无"), QStringLiteral("none")},
        {QStringLiteral("关闭"), QStringLiteral("off")},
        {QStringLiteral("打开"), QStringLiteral("on")},
        {QStringLiteral("载波"), QStringLiteral("carrier")},
        {QStringLiteral("时间"), QStringLiteral("time")},
        {QStringLiteral("中文"), QStringLiteral("Chinese")},
        {QStringLiteral("英文"), QStringLiteral("English")},
        {QStringLiteral("发射开始"), QStringLiteral("at TX start")},
        {QStringLiteral("发射结束"), QStringLiteral("at TX end")},
        {QStringLiteral("静噪等级"), QStringLiteral("squelch level")},
        {QStringLiteral("扫描方式"), QStringLiteral("scan mode")},
        {QStringLiteral("尾音消除"), QStringLiteral("squelch tail elimination")},
        {QStringLiteral("发射带1750音"), QStringLiteral("1750 Hz tone on TX")},
        {QStringLiteral("语音类型"), QStringLiteral("voice prompt")},
        {QStringLiteral("倒地报警"), QStringLiteral("man-down alarm")},
        {QStringLiteral("声控等级"), QStringLiteral("VOX level")},
        {QStringLiteral("发射限时"), QStringLiteral("TX time-out")},
        {QStringLiteral("省电比例"), QStringLiteral("battery save")},
        {QStringLiteral("PTT发码条件"), QStringLiteral("PTT ID sent")},
        {QStringLiteral("DTMF侧音"), QStringLiteral("DTMF sidetone")},
        {QStringLiteral("PTT ID码"), QStringLiteral("PTT ID code")},
        {QStringLiteral("身份码"), QStringLiteral("ID code")},
        {QStringLiteral("遥晕码"), QStringLiteral("stun code")},
        {QStringLiteral("遥毙码"), QStringLiteral("kill code")},
    };
    return texts;
}

const ChannelValueLists &EnglishChannelLists()
{
    static const ChannelValueLists lists = MakeChannelValueLists(&EnglishText);
    return lists;
}

QVector<int> Range(int first, int count)
{
    QVector<int> offsets;
    for (int i = 0; i < count; ++i)
        offsets << first + i;
    return offsets;
}

struct ChannelColumn {
    const char *key;
    const char *label;
    int column;
    QVector<int> offsets;   // record-relative; the scan bit is added per channel
};

const ChannelColumn kChannelColumns[] = {
    {"rxFreq", "receive frequency", ColRxFreq, {0, 1, 2, 3}},
    {"txFreq", "transmit frequency", ColTxFreq, {4, 5, 6, 7}},
    {"bandwidth", "bandwidth", ColBandwidth, {10}},
    {"power", "power", ColPower, {10}},
    {"scan", "scan", ColScan, {}},
    {"txTone", "transmit tone", ColTxTone, {8, 11}},
    {"rxTone", "receive tone", ColRxTone, {9, 11}},
    {"busyLock", "busy lockout", ColBusyLock, {10}},
    {"pttDial", "PTT dialling", ColPttDial, {10}},
};

// Image offset of the scan mask byte that holds record i's bit.
int ScanMaskOffset(int record)
{
    return ImageOffset::ChanScanMask + 3 - record / 8;
}

bool IsDtmfOption(int setting)
{
    return setting == SetDtmEncCon || setting == SetDtmEncTone;
}

ImageField OptionField(const RadioData_S &image, int s)
{
    const SettingField_S &def = kSettingFields[s];
    ImageField f;
    f.section = IsDtmfOption(s) ? QStringLiteral("dtmf") : QStringLiteral("settings");
    f.key = QLatin1String(def.key);
    f.label = EnglishText(def.label);
    f.text = EnglishText(def.items[SettingPos(image, SettingId_E(s))]);
    f.json = f.text;
    f.code = image.at(def.offset);
    f.offsets = {def.offset};
    return f;
}

void AddChannelFields(const RadioData_S &image, QVector<ImageField> *out)
{
    const int count = ChanCountRead(image);
    const uint32_t mask = ChanScanMaskRead(image);
    ImageField countField{QStringLiteral("channels"), QStringLiteral("count"), 0,
                          QStringLiteral("channel count"), QString::number(count), count, -1,
                          {ImageOffset::ChanCount, ImageOffset::ChanCount + 1}};
    *out << countField;
    ImageField maskField{QStringLiteral("channels"), QStringLiteral("scanMask"), 0,
                         QStringLiteral("channel scan mask"), QString::asprintf("0x%08X", mask), QJsonValue(),
                         -1, Range(ImageOffset::ChanScanMask, 4)};
    maskField.json = maskField.text;
    *out << maskField;

    const ChannelColumnLists lists = ChannelColumnListsOf(EnglishChannelLists());
    const QVector<ChannelFields_S> rows = ChannelLoadTable(image, kMaxChannels);
    for (int i = 0; i < rows.size(); ++i) {
        const ChannelFields_S &ch = rows.at(i);
        const QStringList texts = ChannelRowTexts(ch, i, lists);
        const int record = ImageOffset::Channels + i * int(sizeof(ChannelData_S));
        for (const ChannelColumn &col : kChannelColumns) {
            ImageField f;
            f.section = QStringLiteral("channels");
            f.key = QLatin1String(col.key);
            f.channel = i + 1;
            f.label = QLatin1String(col.label);
            f.text = texts.at(col.column);
            switch (col.column) {
            case ColScan:
                f.json = ch.Scan == 0;   // a set mask bit means not scanned
                f.offsets = {ScanMaskOffset(i)};
                break;
            case ColBusyLock:
                f.json = ch.BusyLock == 1;
                break;
            case ColPttDial:
                f.json = ch.PttDial == 1;
                break;
            default:
                f.json = f.text;
                break;
            }
            for (int o : col.offsets)
                f.offsets << record + o;
            *out << f;
        }
    }
}

void AddFmFields(const RadioData_S &image, QVector<ImageField> *out)
{
    ImageField mask{QStringLiteral("fm"), QStringLiteral("mask"), 0, QStringLiteral("FM channel mask"),
                    QString::asprintf("0x%04X", FmMask(image)), QJsonValue(), -1,
                    {ImageOffset::FmMask, ImageOffset::FmMask + 1}};
    mask.json = mask.text;
    *out << mask;

    const uint8_t start = FmStartChannel(image);
    ImageField startField{QStringLiteral("fm"), QStringLiteral("startChannel"), 0,
                          QStringLiteral("FM start channel"), QString(), QJsonValue(), start,
                          {ImageOffset::FmStartChan}};
    if (start < kFmChannels) {
        startField.text = QString::asprintf("%02d", start + 1);
        startField.json = start + 1;
    } else if (start == kFmNoStartChannel) {
        startField.text = QStringLiteral("none");
    } else {
        startField.text = QString::asprintf("0x%02X (no such channel)", start);
    }
    *out << startField;

    for (int i = 0; i < kFmChannels; ++i) {
        const QString text = FmWordText(FmWord(image, i));
        ImageField f{QStringLiteral("fm"), QStringLiteral("frequency"), i + 1, QStringLiteral("frequency"),
                     text, text.isEmpty() ? QJsonValue() : QJsonValue(text), -1,
                     Range(ImageOffset::FmFreqs + 2 * i, 2)};
        *out << f;
    }
}

} // namespace

QString EnglishText(const char *source)
{
    const QString text = QString::fromUtf8(source);
    return EnglishTexts().value(text, text);
}

QVector<ImageField> ImageFields(const RadioData_S &image)
{
    QVector<ImageField> fields;
    ImageField version{QStringLiteral("header"), QStringLiteral("version"), 0, QStringLiteral("version"),
                       HeaderVersionText(image.Header), QJsonValue(), -1, {2, 3}};
    version.json = version.text;
    fields << version;

    AddChannelFields(image, &fields);
    for (int s = 0; s < SettingCount; ++s)
        if (!IsDtmfOption(s))
            fields << OptionField(image, s);
    for (int c = 0; c < DtmfCodeCount; ++c) {
        const DtmfCodeField_S &def = kDtmfCodeFields[c];
        const QString code = DtmfCode(image, DtmfCodeId_E(c));
        fields << ImageField{QStringLiteral("dtmf"), QLatin1String(def.key), 0, EnglishText(def.label), code,
                             code, -1, Range(def.offset, def.length)};
    }
    fields << OptionField(image, SetDtmEncCon) << OptionField(image, SetDtmEncTone);
    AddFmFields(image, &fields);
    return fields;
}

QString FieldName(const ImageField &f)
{
    if (f.section == QLatin1String("channels") && f.channel > 0)
        return QString::asprintf("channel %02d ", f.channel) + f.label;
    if (f.section == QLatin1String("fm") && f.channel > 0)
        return QString::asprintf("FM channel %02d ", f.channel) + f.label;
    return f.label;
}

QString ByteOwner(int offset)
{
    if (offset < kHeaderSize)
        return QStringLiteral("header byte %1").arg(offset);
    if (offset >= ImageOffset::Channels) {
        const int rel = offset - ImageOffset::Channels;
        return QString::asprintf("channel %02d record byte %d", rel / 16 + 1, rel % 16);
    }
    if (offset >= ImageOffset::FmFreqs)
        return QString::asprintf("FM channel %02d word", (offset - ImageOffset::FmFreqs) / 2 + 1);
    for (int s = 0; s < SettingCount; ++s)
        if (kSettingFields[s].offset == offset)
            return EnglishText(kSettingFields[s].label);
    for (const DtmfCodeField_S &d : kDtmfCodeFields)
        if (offset >= d.offset && offset < d.offset + d.length)
            return EnglishText(d.label) + QStringLiteral(" digit %1").arg(offset - d.offset + 1);
    switch (offset) {
    case ImageOffset::ChannelWord:
    case ImageOffset::ChannelWord + 1:
        return QStringLiteral("channel word (cleared when channels are stored)");
    case ImageOffset::FmStartChan:
        return QStringLiteral("FM start channel");
    case ImageOffset::ChanCount:
    case ImageOffset::ChanCount + 1:
        return QStringLiteral("channel count");
    case ImageOffset::Zero12:
    case ImageOffset::Zero13:
        return QStringLiteral("settings byte (stored as 0)");
    case ImageOffset::FmMask:
    case ImageOffset::FmMask + 1:
        return QStringLiteral("FM channel mask");
    default:
        break;
    }
    if (offset >= ImageOffset::ChanScanMask && offset < ImageOffset::ChanScanMask + 4)
        return QStringLiteral("channel scan mask");
    return QStringLiteral("not used by any page");
}

QString Shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(empty)") : text;
}
