#include "channels/channelcodec.h"

#include <QtTest>

#include <climits>
#include <cstring>


namespace {

const ChannelValueLists kLists = MakeChannelValueLists();
const ChannelColumnLists kColumns = ChannelColumnListsOf(kLists);

QByteArray Bytes(const RadioData_S &image, int offset, int count)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, count);
}

ChannelData_S Record(uint8_t txCode, uint8_t rxCode, uint8_t flags, uint8_t types)
{
    ChannelData_S r;
    std::memset(&r, 0xA5, sizeof r);
    r.TxToneCode = txCode;
    r.RxToneCode = rxCode;
    r.ChanFlags = flags;
    r.ToneTypes = types;
    return r;
}

} // namespace

class TestChannelCodec : public QObject
{
    Q_OBJECT

private slots:
    void toneList_data();
    void toneList();
    void everyTonePositionRoundTrips();
    void toneTypes_data();
    void toneTypes();
    void everyFlagCombinationRoundTrips();
    void frequency_data();
    void frequency();
    void frequencyTextThatDoesNotParseStoresZero_data();
    void frequencyTextThatDoesNotParseStoresZero();
    void storeLeavesUnownedBytes();
    void scanMask_data();
    void scanMask();
    void loadCutsChanCount_data();
    void loadCutsChanCount();
    void bandEdges_data();
    void bandEdges();
    void editorValueNeverOverflows_data();
    void editorValueNeverOverflows();
};

void TestChannelCodec::toneList_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("none first") << 0 << "无";
    QTest::newRow("CTCSS 67.0 at 1") << 1 << "67.0";
    QTest::newRow("CTCSS 254.1 ends the CTCSS part") << 50 << "254.1";
    QTest::newRow("DCS normal 023 at 51") << 51 << "D023N";
    QTest::newRow("DCS normal 754 at 155") << 155 << "D754N";
    QTest::newRow("DCS inverted 023 at 156") << 156 << "D023I";
    QTest::newRow("DCS inverted 754 is the last list item") << 260 << "D754I";
}

void TestChannelCodec::toneList()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    const QStringList list = ToneListTexts();
    QCOMPARE(list.size(), 261);
    QCOMPARE(list.at(position), text);
    QCOMPARE(ToneListTexts("None").at(0), QString("None"));
}

void TestChannelCodec::everyTonePositionRoundTrips()
{
    // Position -> stored kind and code -> position, and through the cell texts.
    for (int p = 0; p < kToneListSize; ++p) {
        ChannelFields_S f;
        f.TxTone = p;
        f.RxTone = kToneListSize - 1 - p;
        ChannelData_S r = Record(0, 0, 0, 0);
        ChannelEncode(f, &r);
        QCOMPARE(r.ToneTypes & 0x0F, 0);
        const ChannelFields_S back = ChannelDecode(r, false);
        QCOMPARE(back.TxTone, p);
        QCOMPARE(back.RxTone, kToneListSize - 1 - p);
        QCOMPARE(ChannelFieldsFromTexts(ChannelRowTexts(back, 0, kColumns), kColumns), back);
    }
}

void TestChannelCodec::toneTypes_data()
{
    QTest::addColumn<uint8_t>("types");
    QTest::addColumn<uint8_t>("txCode");
    QTest::addColumn<uint8_t>("rxCode");
    QTest::addColumn<QString>("txText");
    QTest::addColumn<QString>("rxText");
    QTest::addColumn<QByteArray>("stored");   // TxToneCode, RxToneCode, ToneTypes
    QTest::newRow("CTCSS 67.0 out, DCS 023N in") << uint8_t(0x60) << uint8_t(0) << uint8_t(0) << "67.0" << "D023N"
                                                 << QByteArray("\x00\x00\x60", 3);
    QTest::newRow("low nibble comes back 0") << uint8_t(0x6F) << uint8_t(0) << uint8_t(0) << "67.0" << "D023N"
                                             << QByteArray("\x00\x00\x60", 3);
    QTest::newRow("DCS inverted 104 both ways") << uint8_t(0xF0) << uint8_t(104) << uint8_t(104) << "D754I"
                                                << "D754I" << QByteArray("\x68\x68\xF0", 3);
    QTest::newRow("DCS inverted 105 is none") << uint8_t(0xF0) << uint8_t(105) << uint8_t(3) << "无" << "D031I"
                                              << QByteArray("\x00\x03\x30", 3);
    QTest::newRow("CTCSS code 50 is none, not a DCS tone") << uint8_t(0x50) << uint8_t(50) << uint8_t(49) << "无"
                                                           << "254.1" << QByteArray("\x00\x31\x10", 3);
    QTest::newRow("DCS normal code 105 is none") << uint8_t(0xA0) << uint8_t(105) << uint8_t(104) << "无"
                                                 << "D754N" << QByteArray("\x00\x68\x20", 3);
    QTest::newRow("kind none ignores the code") << uint8_t(0x00) << uint8_t(7) << uint8_t(9) << "无" << "无"
                                                << QByteArray("\x00\x00\x00", 3);
}

void TestChannelCodec::toneTypes()
{
    QFETCH(uint8_t, types);
    QFETCH(uint8_t, txCode);
    QFETCH(uint8_t, rxCode);
    QFETCH(QString, txText);
    QFETCH(QString, rxText);
    QFETCH(QByteArray, stored);
    const QStringList texts = ChannelRowTexts(ChannelDecode(Record(txCode, rxCode, 0, types), false), 0, kColumns);
    QCOMPARE(texts.at(ColTxTone), txText);
    QCOMPARE(texts.at(ColRxTone), rxText);
    ChannelData_S r = Record(0xEE, 0xEE, 0, 0xEE);
    ChannelEncode(ChannelFieldsFromTexts(texts, kColumns), &r);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&r.TxToneCode), 2) + char(r.ToneTypes), stored);
}

void TestChannelCodec::everyFlagCombinationRoundTrips()
{
    for (int flags = 0; flags < 256; ++flags) {
        for (bool scan : {false, true}) {
            const ChannelData_S in = Record(0, 0, static_cast<uint8_t>(flags), 0);
            const QStringList texts = ChannelRowTexts(ChannelDecode(in, scan), 4, kColumns);
            QCOMPARE(texts.at(ColNumber), QString("05"));
            QCOMPARE(texts.at(ColBandwidth), QString(flags & 0x80 ? "12.5k" : "25k"));
            QCOMPARE(texts.at(ColPower), QString(flags & 0x40 ? "低" : "高"));
            QCOMPARE(texts.at(ColScan), QString(scan ? "否" : "是"));
            QCOMPARE(texts.at(ColBusyLock), QString(flags & 0x10 ? "是" : "否"));
            QCOMPARE(texts.at(ColPttDial), QString(flags & 0x08 ? "打开" : "关闭"));
            ChannelData_S out = Record(0, 0, 0xFF, 0);
            QCOMPARE(ChannelEncode(ChannelFieldsFromTexts(texts, kColumns), &out), scan);
            QCOMPARE(int(out.ChanFlags), flags & 0xD8);   // bits 5, 2, 1, 0 come back 0
        }
    }
}

void TestChannelCodec::frequency_data()
{
    QTest::addColumn<uint32_t>("hz");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bigEndian");
    QTest::newRow("0") << 0u << "0.000000" << QByteArray("\x00\x00\x00\x00", 4);
    QTest::newRow("1 Hz") << 1u << "0.000001" << QByteArray("\x00\x00\x00\x01", 4);
    QTest::newRow("66 MHz shows its true value") << 66000000u << "66.000000" << QByteArray("\x03\xEF\x14\x80", 4);
    QTest::newRow("400.125 MHz") << 400125000u << "400.125000" << QByteArray("\x17\xD9\x6C\x48", 4);
    QTest::newRow("999.999999 MHz") << 999999999u << "999.999999" << QByteArray("\x3B\x9A\xC9\xFF", 4);
    QTest::newRow("1000 MHz") << 1000000000u << "1000.000000" << QByteArray("\x3B\x9A\xCA\x00", 4);
    QTest::newRow("int32 max") << 0x7FFFFFFFu << "2147.483647" << QByteArray("\x7F\xFF\xFF\xFF", 4);
    QTest::newRow("int32 min") << 0x80000000u << "-2147.483648" << QByteArray("\x80\x00\x00\x00", 4);
    QTest::newRow("erased memory") << 0xFFFFFFFFu << "-0.000001" << QByteArray("\xFF\xFF\xFF\xFF", 4);
}

void TestChannelCodec::frequency()
{
    QFETCH(uint32_t, hz);
    QFETCH(QString, text);
    QFETCH(QByteArray, bigEndian);
    ChannelData_S r = Record(0, 0, 0, 0);
    std::memcpy(r.RxFreq, bigEndian.constData(), 4);
    std::memcpy(r.TxFreq, bigEndian.constData(), 4);
    const QStringList texts = ChannelRowTexts(ChannelDecode(r, false), 0, kColumns);
    QCOMPARE(texts.at(ColRxFreq), text);
    QCOMPARE(ChannelFreqFromText(text), hz);
    ChannelData_S out = Record(0, 0, 0, 0);
    ChannelEncode(ChannelFieldsFromTexts(texts, kColumns), &out);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(out.RxFreq), 8), bigEndian + bigEndian);
}

void TestChannelCodec::frequencyTextThatDoesNotParseStoresZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint32_t>("hz");
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("letters") << "abc" << 0u;
    QTest::newRow("beyond 32 bits") << "4294.967296" << 0u;
    QTest::newRow("short decimals store as digits") << "660.00000" << 66000000u;
    QTest::newRow("old erased text") << "-00.001" << 0xFFFFFFFFu;
}

void TestChannelCodec::frequencyTextThatDoesNotParseStoresZero()
{
    QFETCH(QString, text);
    QFETCH(uint32_t, hz);
    QCOMPARE(ChannelFreqFromText(text), hz);
}

void TestChannelCodec::storeLeavesUnownedBytes()
{
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    ChannelRecord(&image, 1).Reserved[0] = 0x5A;
    ChannelFields_S f;
    f.RxFreq = f.TxFreq = 400125000;
    ChannelStoreTable(&image, {f, f, f});

    QCOMPARE(Bytes(image, 4, 2), QByteArray(2, '\0'));
    QCOMPARE(Bytes(image, ImageOffset::ChanCount, 2), QByteArray("\x00\x03", 2));
    QCOMPARE(Bytes(image, ImageOffset::ChanScanMask, 4), QByteArray(4, '\0'));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(Bytes(image, 100 + 16 * i, 12), QByteArray("\x17\xD9\x6C\x48\x17\xD9\x6C\x48\0\0\0\0", 12));
        QCOMPARE(Bytes(image, 112 + 16 * i, 4), i == 1 ? QByteArray("\x5A\xFF\xFF\xFF") : QByteArray(4, '\xFF'));
    }
    // Everything else, records 3..21 included, keeps the fill.
    RadioData_S expected = image;
    std::memset(expected.bytes(), 0xFF, kImageSize);
    std::memcpy(expected.bytes() + 4, image.bytes() + 4, 2);
    std::memcpy(expected.bytes() + 10, image.bytes() + 10, 2);
    std::memcpy(expected.bytes() + 40, image.bytes() + 40, 4);
    std::memcpy(expected.bytes() + 100, image.bytes() + 100, 48);
    QCOMPARE(Bytes(image, 0, kImageSize), Bytes(expected, 0, kImageSize));
}

void TestChannelCodec::scanMask_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("notScanned");
    QTest::addColumn<QByteArray>("mask");
    QTest::newRow("empty table stores count 0 and mask 0") << 0 << QList<int>{} << QByteArray(4, '\0');
    QTest::newRow("rows 0 and 2 give 5") << 5 << QList<int>{0, 2} << QByteArray("\x00\x00\x00\x05", 4);
    QTest::newRow("row 21 is bit 21") << 22 << QList<int>{21} << QByteArray("\x00\x20\x00\x00", 4);
}

void TestChannelCodec::scanMask()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, notScanned);
    QFETCH(QByteArray, mask);
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    QVector<ChannelFields_S> table(rows);
    for (int i : notScanned)
        table[i].Scan = 1;
    ChannelStoreTable(&image, table);
    QCOMPARE(Bytes(image, ImageOffset::ChanScanMask, 4), mask);
    QCOMPARE(int(ChanCountRead(image)), rows);
    const QVector<ChannelFields_S> back = ChannelLoadTable(image, kMaxChannels);
    QCOMPARE(back, table);
}

void TestChannelCodec::loadCutsChanCount_data()
{
    QTest::addColumn<int>("chanCount");
    QTest::addColumn<int>("maxRows");
    QTest::addColumn<int>("rows");
    QTest::newRow("20 stored, 16 allowed") << 20 << 16 << 16;
    QTest::newRow("erased count never passes the 22 records") << 0xFFFF << 255 << 22;
    QTest::newRow("no rows allowed") << 5 << 0 << 0;
    QTest::newRow("count below the maximum") << 3 << 22 << 3;
}

void TestChannelCodec::loadCutsChanCount()
{
    QFETCH(int, chanCount);
    QFETCH(int, maxRows);
    QFETCH(int, rows);
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    ChanCountWrite(&image, static_cast<uint16_t>(chanCount));
    QCOMPARE(ChannelLoadTable(image, maxRows).size(), rows);
}

void TestChannelCodec::bandEdges_data()
{
    QTest::addColumn<qint64>("mhz");
    QTest::addColumn<qint64>("hz");
    QTest::newRow("400 MHz") << qint64(400) << qint64(400000000);
    QTest::newRow("2147 MHz fits") << qint64(2147) << qint64(2147000000);
    QTest::newRow("5000 MHz clamps") << qint64(5000) << qint64(INT32_MAX);
    QTest::newRow("4294967295 MHz clamps") << qint64(4294967295LL) << qint64(INT32_MAX);
    QTest::newRow("negative clamps to 0") << qint64(-5) << qint64(0);
}

void TestChannelCodec::bandEdges()
{
    QFETCH(qint64, mhz);
    QFETCH(qint64, hz);
    QCOMPARE(BandEdgeHz(mhz), hz);
}

void TestChannelCodec::editorValueNeverOverflows_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<qint64>("hz");
    QTest::newRow("2^32 Hz does not wrap to the band start") << 4294.967296 << qint64(469995000);
    QTest::newRow("huge") << 1e300 << qint64(469995000);
    QTest::newRow("infinite") << qInf() << qint64(469995000);
    QTest::newRow("negative") << -1e300 << qint64(400000000);
    QTest::newRow("not a number") << qQNaN() << qint64(400000000);
}

void TestChannelCodec::editorValueNeverOverflows()
{
    QFETCH(double, mhz);
    QFETCH(qint64, hz);
    QCOMPARE(ChannelFreqFromEditorMHz(mhz, 400000000, 470000000), hz);
}

QTEST_APPLESS_MAIN(TestChannelCodec)
#include "tst_channelcodec.moc"
