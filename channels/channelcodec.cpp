#include "channelcodec.h"

#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const char *const kCtcssTones[kCtcssCount] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// DCS codes (octal digits) in list order; the stored code is the index.
const char *const kDcsCodes[kDcsCount] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072",
    "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155",
    "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246",
    "251", "252", "255", "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331",
    "332", "343", "346", "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662", "664", "703",
    "712", "723", "731", "732", "734", "743", "754"};

constexpr qint64 kHzPerMHz = 1000000;
constexpr qint64 kRowStepHz = 500000;   // default frequency step between added rows

// Signed Hz as MHz with six decimals, by integer arithmetic.
QString MHzText(qint64 hz)
{
    const bool negative = hz < 0;
    const quint64 mag = negative ? 0 - static_cast<quint64>(hz) : static_cast<quint64>(hz);
    return QString::asprintf("%s%llu.%06llu", negative ? "-" : "",
                             static_cast<unsigned long long>(mag / kHzPerMHz),
                             static_cast<unsigned long long>(mag % kHzPerMHz));
}

int Bit(uint8_t byte, uint8_t mask)
{
    return (byte & mask) ? 1 : 0;
}

// Position of a text in a two-item flag list as the bit it stands for.
int FlagPosition(const QStringList *list, const QString &text)
{
    return list && list->indexOf(text) == 1 ? 1 : 0;
}

QString ItemAt(const QStringList *list, int position)
{
    return list ? list->value(position) : QString();
}

} // namespace

QStringList ToneListTexts(const QString &noneText)
{
    QStringList list;
    list.reserve(kToneListSize);
    list << noneText;
    for (const char *tone : kCtcssTones)
        list << QLatin1String(tone);
    for (const char *code : kDcsCodes)
        list << QLatin1Char('D') + QLatin1String(code) + QLatin1Char('N');
    for (const char *code : kDcsCodes)
        list << QLatin1Char('D') + QLatin1String(code) + QLatin1Char('I');
    return list;
}

int TonePosition(int kind, int code)
{
    switch (kind) {
    case ToneCtcss:
        return code >= 0 && code < kCtcssCount ? kToneCtcssFirst + code : 0;
    case ToneDcsN:
        return code >= 0 && code < kDcsCount ? kToneDcsNFirst + code : 0;
    case ToneDcsI:
        return code >= 0 && code < kDcsCount ? kToneDcsIFirst + code : 0;
    default:
        return 0;
    }
}

void ToneKindCode(int position, uint8_t *kind, uint8_t *code)
{
    if (position >= kToneDcsIFirst && position < kToneListSize) {
        *kind = ToneDcsI;
        *code = static_cast<uint8_t>(position - kToneDcsIFirst);
    } else if (position >= kToneDcsNFirst && position < kToneDcsIFirst) {
        *kind = ToneDcsN;
        *code = static_cast<uint8_t>(position - kToneDcsNFirst);
    } else if (position >= kToneCtcssFirst && position < kToneDcsNFirst) {
        *kind = ToneCtcss;
        *code = static_cast<uint8_t>(position - kToneCtcssFirst);
    } else {
        *kind = ToneNone;
        *code = 0;
    }
}

ChannelValueLists MakeChannelValueLists(const TranslateFn &translate)
{
    const auto shown = [&](const char *source) {
        return translate ? translate(source) : QString::fromUtf8(source);
    };
    ChannelValueLists lists;
    lists.bandwidth = QStringList{QStringLiteral("25k"), QStringLiteral("12.5k")};
    lists.power = QStringList{shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "高")),
                              shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "低"))};
    lists.scan = QStringList{shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "是")),
                             shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "否"))};
    lists.tone = ToneListTexts(shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "无")));
    lists.busyLock = QStringList{lists.scan.at(1), lists.scan.at(0)};
    lists.pttDial = QStringList{shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "关闭")),
                                shown(QT_TRANSLATE_NOOP("CHANNELINFO_Form", "打开"))};
    return lists;
}

ChannelColumnLists ChannelColumnListsOf(const ChannelValueLists &lists)
{
    return {&lists.empty, &lists.empty, &lists.empty, &lists.bandwidth, &lists.power,
            &lists.scan, &lists.tone, &lists.tone, &lists.busyLock, &lists.pttDial};
}

bool operator==(const ChannelFields_S &a, const ChannelFields_S &b)
{
    return a.RxFreq == b.RxFreq && a.TxFreq == b.TxFreq && a.Bandwidth == b.Bandwidth
            && a.Power == b.Power && a.Scan == b.Scan && a.TxTone == b.TxTone
            && a.RxTone == b.RxTone && a.BusyLock == b.BusyLock && a.PttDial == b.PttDial;
}

ChannelFields_S ChannelDecode(const ChannelData_S &record, bool scanBit)
{
    ChannelFields_S f;
    f.RxFreq = qFromBigEndian<quint32>(record.RxFreq);
    f.TxFreq = qFromBigEndian<quint32>(record.TxFreq);
    f.Bandwidth = Bit(record.ChanFlags, kFlagBandwidth);
    f.Power = Bit(record.ChanFlags, kFlagPower);
    f.BusyLock = Bit(record.ChanFlags, kFlagBusyLock);
    f.PttDial = Bit(record.ChanFlags, kFlagPttDial);
    f.Scan = scanBit ? 1 : 0;
    f.TxTone = TonePosition((record.ToneTypes >> 6) & 3, record.TxToneCode);
    f.RxTone = TonePosition((record.ToneTypes >> 4) & 3, record.RxToneCode);
    return f;
}

bool ChannelEncode(const ChannelFields_S &f, ChannelData_S *record)
{
    qToBigEndian<quint32>(f.RxFreq, record->RxFreq);
    qToBigEndian<quint32>(f.TxFreq, record->TxFreq);
    uint8_t flags = 0;
    if (f.Bandwidth == 1)
        flags |= kFlagBandwidth;
    if (f.Power == 1)
        flags |= kFlagPower;
    if (f.BusyLock == 1)
        flags |= kFlagBusyLock;
    if (f.PttDial == 1)
        flags |= kFlagPttDial;
    record->ChanFlags = flags;
    uint8_t txKind, rxKind;
    ToneKindCode(f.TxTone, &txKind, &record->TxToneCode);
    ToneKindCode(f.RxTone, &rxKind, &record->RxToneCode);
    record->ToneTypes = static_cast<uint8_t>((txKind << 6) | (rxKind << 4));
    return f.Scan == 1;
}

QString ChannelFreqText(uint32_t hz)
{
    return MHzText(static_cast<int32_t>(hz));
}

uint32_t ChannelFreqFromText(const QString &text)
{
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    bool ok = false;
    const int value = digits.toInt(&ok, 10);
    return ok ? static_cast<uint32_t>(value) : 0;
}

QString ChannelDefaultFreqText(qint64 bandStartHz, int row)
{
    return MHzText(bandStartHz + kRowStepHz * row);
}

QStringList ChannelRowTexts(const ChannelFields_S &f, int row, const ChannelColumnLists &lists)
{
    QStringList texts;
    texts.reserve(ChannelColumnCount);
    texts << QString::asprintf("%02d", row + 1)
          << ChannelFreqText(f.RxFreq)
          << ChannelFreqText(f.TxFreq)
          << ItemAt(lists[ColBandwidth], f.Bandwidth)
          << ItemAt(lists[ColPower], f.Power)
          << ItemAt(lists[ColScan], f.Scan)
          << ItemAt(lists[ColTxTone], f.TxTone)
          << ItemAt(lists[ColRxTone], f.RxTone)
          << ItemAt(lists[ColBusyLock], f.BusyLock)
          << ItemAt(lists[ColPttDial], f.PttDial);
    return texts;
}

ChannelFields_S ChannelFieldsFromTexts(const QStringList &texts, const ChannelColumnLists &lists)
{
    const auto tone = [&](int column) {
        return lists[column] ? lists[column]->indexOf(texts.value(column)) : -1;
    };
    ChannelFields_S f;
    f.RxFreq = ChannelFreqFromText(texts.value(ColRxFreq));
    f.TxFreq = ChannelFreqFromText(texts.value(ColTxFreq));
    f.Bandwidth = FlagPosition(lists[ColBandwidth], texts.value(ColBandwidth));
    f.Power = FlagPosition(lists[ColPower], texts.value(ColPower));
    f.Scan = FlagPosition(lists[ColScan], texts.value(ColScan));
    f.BusyLock = FlagPosition(lists[ColBusyLock], texts.value(ColBusyLock));
    f.PttDial = FlagPosition(lists[ColPttDial], texts.value(ColPttDial));
    f.TxTone = std::max(0, tone(ColTxTone));
    f.RxTone = std::max(0, tone(ColRxTone));
    return f;
}

uint16_t ChanCountRead(const RadioData_S &image)
{
    return qFromBigEndian<quint16>(image.bytes() + ImageOffset::ChanCount);
}

void ChanCountWrite(RadioData_S *image, uint16_t count)
{
    qToBigEndian<quint16>(count, image->bytes() + ImageOffset::ChanCount);
}

uint32_t ChanScanMaskRead(const RadioData_S &image)
{
    return qFromBigEndian<quint32>(image.bytes() + ImageOffset::ChanScanMask);
}

void ChanScanMaskWrite(RadioData_S *image, uint32_t mask)
{
    qToBigEndian<quint32>(mask, image->bytes() + ImageOffset::ChanScanMask);
}

const ChannelData_S &ChannelRecord(const RadioData_S &image, int index)
{
    return reinterpret_cast<const ChannelData_S *>(image.bytes() + ImageOffset::Channels)[index];
}

ChannelData_S &ChannelRecord(RadioData_S *image, int index)
{
    return reinterpret_cast<ChannelData_S *>(image->bytes() + ImageOffset::Channels)[index];
}

QVector<ChannelFields_S> ChannelLoadTable(const RadioData_S &image, int maxRows)
{
    const int count = std::min<int>({ChanCountRead(image), std::max(maxRows, 0), kMaxChannels});
    const uint32_t mask = ChanScanMaskRead(image);
    QVector<ChannelFields_S> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows << ChannelDecode(ChannelRecord(image, i), (mask >> i) & 1u);
    return rows;
}

void ChannelStoreTable(RadioData_S *image, const QVector<ChannelFields_S> &rows)
{
    const int count = std::min(rows.size(), kMaxChannels);
    qToBigEndian<quint16>(0, image->bytes() + ImageOffset::ChannelWord);
    ChanCountWrite(image, static_cast<uint16_t>(count));
    uint32_t mask = 0;
    for (int i = 0; i < count; ++i)
        if (ChannelEncode(rows.at(i), &ChannelRecord(image, i)))
            mask |= 1u << i;
    ChanScanMaskWrite(image, mask);
}

qint64 BandEdgeHz(qint64 mhz)
{
    constexpr qint64 kMaxMHz = INT32_MAX / kHzPerMHz + 1;   // beyond this the product is clamped anyway
    return std::clamp<qint64>(std::clamp<qint64>(mhz, 0, kMaxMHz) * kHzPerMHz, 0, INT32_MAX);
}

qint64 ChannelFreqFromEditorMHz(double mhz, qint64 bandStartHz, qint64 bandEndHz)
{
    if (std::isnan(mhz))
        mhz = 0;
    // Hz truncated toward zero plus 1 keeps a raster value that lands a
    // fraction below its integer on the raster point. Compared as double,
    // so no typed value is ever converted out of range.
    const double hz = std::trunc(mhz * kHzPerMHz) + 1;
    qint64 v;
    if (hz < static_cast<double>(bandStartHz))
        v = bandStartHz;
    else if (hz >= static_cast<double>(bandEndHz))
        v = bandEndHz - 1;   // the band end is exclusive
    else
        v = static_cast<qint64>(hz);
    // Union of the 5 kHz and 6.25 kHz rasters: the higher round-down.
    return std::max(v / 5000 * 5000, v / 6250 * 6250);
}

qint64 ChannelFreqFromEditorText(const QString &text, qint64 bandStartHz, qint64 bandEndHz)
{
    bool ok = false;
    const double mhz = text.toDouble(&ok);
    return ChannelFreqFromEditorMHz(ok ? mhz : 0.0, bandStartHz, bandEndHz);
}

QString ChannelFreqEditorText(qint64 hz)
{
    return MHzText(hz);
}
