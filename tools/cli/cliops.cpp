#include "cliops.h"

#include "channels/channelcodec.h"
#include "data/datafile.h"
#include "settings/settingscodec.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cstring>

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

QString Shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(empty)") : text;
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

QString Pad(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

QString FieldId(const ImageField &f)
{
    return f.section + QLatin1Char('/') + f.key + QLatin1Char('/') + QString::number(f.channel);
}

} // namespace

int FirstWindowDifference(const RadioData_S &a, const RadioData_S &b)
{
    for (int i = kHeaderSize; i < kImageSize; ++i)
        if (a.at(i) != b.at(i))
            return i;
    return -1;
}

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

QString DumpText(const RadioData_S &image)
{
    const QVector<ImageField> fields = ImageFields(image);
    QString out;
    const auto line = [&out](const QString &label, const QString &value) {
        out += QStringLiteral("  ") + Pad(label, 26) + value + QLatin1Char('\n');
    };
    const auto find = [&fields](const char *section, const char *key) {
        for (const ImageField &f : fields)
            if (f.section == QLatin1String(section) && f.key == QLatin1String(key) && f.channel == 0)
                return f;
        return ImageField();
    };

    out += QStringLiteral("Header\n");
    line(QStringLiteral("version"), find("header", "version").text);

    out += QStringLiteral("Channels\n");
    line(QStringLiteral("channel count"), find("channels", "count").text);
    line(QStringLiteral("channel scan mask"), find("channels", "scanMask").text);
    static const int kWidths[] = {12, 12, 7, 7, 6, 9, 9, 11, 0};
    QString head = QStringLiteral("  ") + Pad(QStringLiteral("Ch"), 4);
    const char *const kHeads[] = {"Receive", "Transmit", "Band", "Power", "Scan", "TX tone", "RX tone",
                                  "Busy lock", "PTT dial"};
    for (int c = 0; c < 9; ++c)
        head += Pad(QLatin1String(kHeads[c]), kWidths[c]);
    bool headDone = false;
    QString row;
    int column = 0;
    for (const ImageField &f : fields) {
        if (f.section != QLatin1String("channels") || f.channel == 0)
            continue;
        if (!headDone) {
            out += head.trimmed().prepend(QStringLiteral("  ")) + QLatin1Char('\n');
            headDone = true;
        }
        if (column == 0)
            row = QStringLiteral("  ") + Pad(QString::asprintf("%02d", f.channel), 4);
        row += Pad(f.text, kWidths[column]);
        if (++column == 9) {
            out += row.trimmed().prepend(QStringLiteral("  ")) + QLatin1Char('\n');
            column = 0;
        }
    }

    out += QStringLiteral("Settings\n");
    for (const ImageField &f : fields)
        if (f.section == QLatin1String("settings"))
            line(f.label, f.text);

    out += QStringLiteral("DTMF\n");
    for (const ImageField &f : fields)
        if (f.section == QLatin1String("dtmf"))
            line(f.label, Shown(f.text));

    out += QStringLiteral("FM radio\n");
    for (const ImageField &f : fields)
        if (f.section == QLatin1String("fm"))
            line(f.channel ? QString::asprintf("channel %02d", f.channel) : f.label, Shown(f.text));
    return out;
}

QByteArray DumpJson(const RadioData_S &image)
{
    const QVector<ImageField> fields = ImageFields(image);
    QJsonObject root, channels, dtmf, fm;
    QJsonArray channelList, settings, codes, options, fmChannels;
    QJsonObject channel;
    for (const ImageField &f : fields) {
        if (f.section == QLatin1String("header")) {
            root.insert(f.key, f.json);
        } else if (f.section == QLatin1String("channels")) {
            if (f.channel == 0) {
                channels.insert(f.key, f.json);
                continue;
            }
            if (channel.isEmpty())
                channel.insert(QStringLiteral("channel"), f.channel);
            channel.insert(f.key, f.json);
            if (f.key == QLatin1String(kChannelColumns[std::size(kChannelColumns) - 1].key)) {
                channelList.append(channel);
                channel = QJsonObject();
            }
        } else if (f.code >= 0 && f.section != QLatin1String("fm")) {
            const QJsonObject item{{QStringLiteral("key"), f.key},
                                   {QStringLiteral("label"), f.label},
                                   {QStringLiteral("code"), f.code},
                                   {QStringLiteral("value"), f.json}};
            (f.section == QLatin1String("dtmf") ? options : settings).append(item);
        } else if (f.section == QLatin1String("dtmf")) {
            codes.append(QJsonObject{{QStringLiteral("key"), f.key},
                                     {QStringLiteral("label"), f.label},
                                     {QStringLiteral("code"), f.json}});
        } else if (f.channel > 0) {
            fmChannels.append(QJsonObject{{QStringLiteral("channel"), f.channel},
                                          {QStringLiteral("frequency"), f.json}});
        } else {
            fm.insert(f.key, f.json);
            if (f.code >= 0)
                fm.insert(f.key + QStringLiteral("Code"), f.code);
        }
    }
    channels.insert(QStringLiteral("list"), channelList);
    dtmf.insert(QStringLiteral("codes"), codes);
    dtmf.insert(QStringLiteral("options"), options);
    fm.insert(QStringLiteral("channels"), fmChannels);
    root.insert(QStringLiteral("channels"), channels);
    root.insert(QStringLiteral("settings"), settings);
    root.insert(QStringLiteral("dtmf"), dtmf);
    root.insert(QStringLiteral("fm"), fm);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
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

QStringList DiffImages(const RadioData_S &a, const RadioData_S &b)
{
    const QVector<ImageField> fa = ImageFields(a);
    const QVector<ImageField> fb = ImageFields(b);
    QHash<QString, int> inB;
    for (int i = 0; i < fb.size(); ++i)
        inB.insert(FieldId(fb.at(i)), i);

    QStringList lines;
    QSet<int> explained;
    const auto report = [&](const ImageField &f, const QString &va, const QString &vb) {
        lines << FieldName(f) + QStringLiteral(": ") + va + QStringLiteral(" -> ") + vb;
        for (int o : f.offsets)
            explained.insert(o);
    };
    QSet<QString> seen;
    for (const ImageField &f : fa) {
        const QString id = FieldId(f);
        seen.insert(id);
        const auto it = inB.constFind(id);
        if (it == inB.constEnd())
            report(f, Shown(f.text), QStringLiteral("-"));
        else if (fb.at(*it).text != f.text)
            report(f, Shown(f.text), Shown(fb.at(*it).text));
    }
    for (const ImageField &f : fb)
        if (!seen.contains(FieldId(f)))
            report(f, QStringLiteral("-"), Shown(f.text));

    for (int o = 0; o < kImageSize; ++o) {
        if (a.at(o) == b.at(o) || explained.contains(o))
            continue;
        const QString where = o < kHeaderSize ? ByteOwner(o)
                                              : QString::asprintf("0x%04X ", OffsetToRadioAddr(o)) + ByteOwner(o);
        lines << where + QString::asprintf(": %02X -> %02X", a.at(o), b.at(o));
    }
    return lines;
}
