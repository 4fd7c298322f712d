// The core's CSV channel plans (hand-written rows of every tone mode, cross
// mode, polarity, duplex form and power spelling; refusals by line; every
// tone and duplex kind exported and imported again) and the proof that NormaliseImage saves what the window
// would; the dump and diff of a known image by radiocps-cli.
#include "channels/csvplan.h"
#include "clirun.h"

#include "settings/settingscodec.h"

#include "mainwindowprobe.h"
#include "modalcloser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cstring>

namespace {

const QByteArray kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                           "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\n";

const PlanLimits kLimits{16, 400000000, 470000000};

PlanImport Import(const QByteArray &csv, int maxRows = 16)
{
    return ImportChannelPlan(csv, PlanLimits{maxRows, kLimits.bandStartHz, kLimits.bandEndHz});
}

// Channels as "rx[/tx] txTone rxTone mode power scan [BCL] [PTT-ID]", then
// "line N: reason" of each refusal, then "note N: change" of each snapped
// frequency; or "error N: text".
QStringList Outcome(const PlanImport &plan)
{
    if (!plan.error.isEmpty())
        return {QStringLiteral("error %1: %2").arg(plan.errorLine).arg(plan.error)};
    const QStringList tones = ToneListTexts(QStringLiteral("none"));
    QStringList out;
    for (const ChannelFields_S &f : plan.channels)
        out << ChannelFreqText(f.RxFreq) + (f.TxFreq != f.RxFreq ? '/' + ChannelFreqText(f.TxFreq) : QString())
                        + QStringLiteral(" %1 %2 %3 %4 %5")
                                  .arg(tones.value(f.TxTone), tones.value(f.RxTone), f.Bandwidth ? "NFM" : "FM",
                                       f.Power ? "low" : "high", f.Scan ? "skip" : "scan")
                        + (f.BusyLock ? " BCL" : "") + (f.PttDial ? " PTT-ID" : "");
    for (const PlanRefusal &r : plan.refused)
        out << QStringLiteral("line %1: %2").arg(r.line).arg(r.reason);
    for (const PlanSnap &n : plan.snapped)
        out << QStringLiteral("note %1: %2").arg(n.line).arg(n.change);
    return out;
}

// Two channels, settings, DTMF codes and two FM presets, stored by the codecs
// into an image filled with 0xFF, as the window saves it.
RadioData_S KnownImage()
{
    RadioData_S image = ErasedImage();
    image.Header = {0x05, 0x6B, 1, 5};
    // RxFreq, TxFreq, Bandwidth, Power, Scan, TxTone, RxTone, BusyLock, PttDial
    const ChannelFields_S a{401250000, 401250000, 0, 0, 0, 9, 9, 0, 0};    // 88.5 both ways
    const ChannelFields_S b{446006250, 410000000, 1, 1, 1, 157, 0, 1, 1};  // D025I out, every flag
    ChannelStoreTable(&image, {a, b});
    StoreSettingZeroBytes(&image);
    for (int s = 0; s < SettingCount; ++s)   // squelch 3, time-out 60S, scan by time, PTT ID at TX end
        StoreSetting(&image, SettingId_E(s),
                     s == SetSqlLev ? 3 : s == SetTotLev ? 2 : int(s == SetScanWay || s == SetDtmEncCon));
    StoreDtmfCode(&image, DtmfPttId, QStringLiteral("123"));
    StoreDtmfCode(&image, DtmfMacId, QStringLiteral("0000"));
    StoreFmChannels(&image, {QStringLiteral("87.5"), QString(), QStringLiteral("108.0")});
    return image;
}

// Regions are drawn either uniformly or, mostly, from the small ranges where
// codes, digits, FM words and tones are valid, so that both the accepted and
// the dropped values of every codec occur often.
QByteArray RandomImage(QRandomGenerator &rng)
{
    QByteArray b(kImageSize, '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    const auto fill = [&](int from, int to, int step, auto value) {
        if (rng.bounded(4))
            for (int o = from; o <= to; o += step)
                b[o] = char(value());
    };
    fill(0x07, 0x1D, 1, [&] { return rng.bounded(rng.bounded(2) ? 12 : 18); });   // options, PTT ID
    fill(0x24, 0x43, 1, [&] { return rng.bounded(rng.bounded(6) ? 16 : 256); });  // DTMF digits
    fill(0x44, 0x63, 2, [&] { return 2 + rng.bounded(3); });                      // FM words 512..1279
    fill(0x6C, kImageSize - 1, 16, [&] { return rng.bounded(110); });             // transmit tones
    fill(0x6D, kImageSize - 1, 16, [&] { return rng.bounded(110); });             // receive tones
    if (rng.bounded(4)) {   // else the channel count as drawn, mostly above 22
        b[0x0A] = 0;
        b[0x0B] = char(rng.bounded(24));
    }
    return b;
}

} // namespace

Q_DECLARE_METATYPE(ChannelFields_S)

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void import_data();
    void import();
    void exportedColumns_data();
    void exportedColumns();
    void exportThenImportReproducesChannelRegion();
    void dump();
    void diff_data();
    void diff();
    void normaliseAsWindow_data();
    void normaliseAsWindow();
};

void TestCliFiles::import_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("maxRows");
    QTest::addColumn<QStringList>("expected");   // as Outcome() lists it
    // One row from Frequency on, ending early: the columns after it are
    // missing. Columns a mode does not use hold other values and are ignored.
    const auto one = [](const char *name, const char *fields, const QStringList &expected) {
        QTest::newRow(name) << kHeader + "1,," + fields << 16 << expected;
    };
    const QString at440 = "440.000000", plain = at440 + " none none FM high scan";
    one("no tone mode", "440,,,,100.0,141.3,754,RR,025,DTCS->Tone", {plain});
    one("Tone: rToneFreq on transmit", "440,,,Tone,100.0,141.3,754,RR,025", {at440 + " 100.0 none FM high scan"});
    one("TSQL: cToneFreq on both", "440,,,TSQL,100.0,141.3,754,RR,025", {at440 + " 141.3 141.3 FM high scan"});
    one("DTCS NN", "440,,,DTCS,67.0,67.0,023,NN,754", {at440 + " D023N D023N FM high scan"});
    one("DTCS NR", "440,,,DTCS,67.0,67.0,023,NR,754", {at440 + " D023N D023I FM high scan"});
    one("DTCS RN", "440,,,DTCS,67.0,67.0,754,RN,023", {at440 + " D754I D754N FM high scan"});
    one("DTCS rr, no leading zero", "440,,,DTCS,67.0,67.0,23,rr,754", {at440 + " D023I D023I FM high scan"});
    one("Cross Tone->Tone", "440,,,Cross,67.0,254.1,023,NN,023,Tone->Tone", {at440 + " 67.0 254.1 FM high scan"});
    one("Cross Tone->DTCS", "440,,,Cross,67.0,254.1,023,NR,114,Tone->DTCS", {at440 + " 67.0 D114I FM high scan"});
    one("Cross DTCS->Tone", "440,,,Cross,67.0,254.1,114,RN,023,DTCS->Tone", {at440 + " D114I 254.1 FM high scan"});
    one("Cross DTCS->DTCS", "440,,,Cross,67.0,254.1,114,NN,731,DTCS->DTCS", {at440 + " D114N D731N FM high scan"});
    one("Cross ->Tone", "440,,,Cross,67.0,254.1,114,NN,731,->Tone", {at440 + " none 254.1 FM high scan"});
    one("Cross ->DTCS", "440,,,Cross,67.0,254.1,114,NR,731,->DTCS", {at440 + " none D731I FM high scan"});
    one("Cross Tone->", "440,,,Cross,67.0,254.1,114,NN,731,Tone->", {at440 + " 67.0 none FM high scan"});
    one("Cross DTCS->", "440,,,Cross,67.0,254.1,114,RN,731,DTCS->", {at440 + " D114I none FM high scan"});
    one("Duplex +", "440,+,5", {at440 + "/445.000000 none none FM high scan"});
    one("Duplex -", "440,-,5", {at440 + "/435.000000 none none FM high scan"});
    one("Duplex split on the raster: no note", "440,split,410.0125", {at440 + "/410.012500 none none FM high scan"});
    one("split snapped: only transmit noted", "440,split,410.01251",
        {at440 + "/410.012500 none none FM high scan",
         "note 2: transmit frequency 410.01251 MHz snapped to 410.012500 MHz"});
    one("Duplex - snapped: both noted", "440.0031,-,5",
        {at440 + "/435.000000 none none FM high scan",
         "note 2: Frequency 440.0031 MHz snapped to 440.000000 MHz",
         "note 2: transmit frequency 435.0031 MHz snapped to 435.000000 MHz"});
    one("Duplex off", "440,off,0", {"line 2: Duplex off (transmit disabled) cannot be held by the radio"});
    one("Power 5.0W", "440,,,,,,,,,,FM,,,5.0W", {plain});
    one("Power 2.01W", "440,,,,,,,,,,FM,,,2.01W", {plain});
    one("Power 2.0w", "440,,,,,,,,,,FM,,,2.0w", {at440 + " none none FM low scan"});
    one("Power lots", "440,,,,,,,,,,FM,,,lots", {"line 2: Power \"lots\" is not a power in watts"});
    one("NFM, skip, BCL, PTT-ID", "440,,,,,,,,,,NFM,,S,1.0W,\"rpt, bcl ptt-id\"",
        {at440 + " none none NFM low skip BCL PTT-ID"});
    one("Mode AM", "440,,,,,,,,,,AM", {"line 2: Mode \"AM\" is not FM or NFM"});
    one("CTCSS 88.6 not in the list", "440,,,Tone,88.6", {"line 2: rToneFreq 88.6 is not a CTCSS tone of the radio"});
    one("DCS 017 not in the list", "440,,,DTCS,,,017,NN", {"line 2: DtcsCode 017 is not a DCS code of the radio"});
    one("polarity NX", "440,,,DTCS,,,023,NX", {"line 2: DtcsPolarity \"NX\" is not NN, NR, RN or RR"});
    one("CrossMode no arrow", "440,,,Cross,88.5,,,,,Tone",
        {"line 2: CrossMode \"Tone\" is not a cross mode of the radio"});
    one("band start, snapped down to 5 kHz", "400.0031",
        {"400.000000 none none FM high scan", "note 2: Frequency 400.0031 MHz snapped to 400.000000 MHz"});
    one("snap to the higher of 5 and 6.25 kHz, transmit the same: one note", "446.00624",
        {"446.005000 none none FM high scan", "note 2: Frequency 446.00624 MHz snapped to 446.005000 MHz"});
    one("below the band end: clamped, snapped", "469.9999999",
        {"469.995000 none none FM high scan", "note 2: Frequency 469.9999999 MHz snapped to 469.995000 MHz"});
    one("a refused row's snap is not noted", "440.0031,,,Tone,88.6",
        {"line 2: rToneFreq 88.6 is not a CTCSS tone of the radio"});
    one("band end is outside", "470", {"line 2: Frequency 470.000000 MHz is outside the band 400-470 MHz"});
    one("transmit at the band end", "440,+,30",
        {"line 2: transmit frequency 470.000000 MHz is outside the band 400-470 MHz"});
    const QString ch = QStringLiteral("%1 none none FM high scan");
    QTest::newRow("refusals and notes by line, others in Location order, beyond ChanNum refused")
            << kHeader + "# plan\n7,,441.0001\n2,,440,,0,Tone,88.6\n\n3,,442,off\n5,,443\n1,,444.0001\n4,,480\n"
                         "9,,445.0001\n" << 3
            << QStringList{ch.arg("444.000000"), ch.arg("443.000000"), ch.arg("441.000000"),
                           "line 4: rToneFreq 88.6 is not a CTCSS tone of the radio",
                           "line 6: Duplex off (transmit disabled) cannot be held by the radio",
                           "line 9: Frequency 480.000000 MHz is outside the band 400-470 MHz",
                           "line 10: the radio holds 3 channels (ChanNum); this row would be channel 4",
                           "note 3: Frequency 441.0001 MHz snapped to 441.000000 MHz",
                           "note 8: Frequency 444.0001 MHz snapped to 444.000000 MHz"};
    QTest::newRow("byte-order mark, CRLF line ends")
            << "\xEF\xBB\xBF" + QByteArray(kHeader).replace("\n", "\r\n") + "1,,440,,,,,,,,,,NFM\r\n" << 16
            << QStringList{"440.000000 none none NFM high scan"};
    QTest::newRow("only some columns, in any order and letter case")
            << QByteArray("mode,FREQUENCY,power\nNFM,441.5,1W\n,442.5,\n") << 16
            << QStringList{"441.500000 none none NFM low scan", ch.arg("442.500000")};
    QTest::newRow("quoted fields with commas, quotes and a line break")
            << kHeader + "1,\"Base, \"\"N\"\"\",\"440\",,,,,,,,,,,,,,\"two\nlines BCL\"\n2,,440.5,,,,,,,,,,AM\n" << 16
            << QStringList{ch.arg("440.000000") + " BCL", "line 4: Mode \"AM\" is not FM or NFM"};
    QTest::newRow("a quote never closed refuses its row") << kHeader + "1,,440\n2,\"open,440\n" << 16
            << QStringList{ch.arg("440.000000"), "line 3: a quoted field is not closed"};
    QTest::newRow("comments only") << QByteArray("# x\n\n") << 16 << QStringList{"error 0: no header line"};
    QTest::newRow("no Frequency column, lines counted from the comment") << QByteArray("# x\nLocation,Name\n1,a\n")
            << 16 << QStringList{"error 2: the header has no Frequency column"};
}

void TestCliFiles::import()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, maxRows);
    QFETCH(QStringList, expected);
    QCOMPARE(Outcome(Import(csv, maxRows)), expected);
}

void TestCliFiles::exportedColumns_data()
{
    // Fields as in KnownImage(); receive 446.00625 MHz unless given.
    QTest::addColumn<ChannelFields_S>("channel");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("imported");   // as Outcome() lists it; empty: the channel itself
    const auto tones = [](const char *name, int tx, int rx, const char *fields) {
        QTest::newRow(name) << ChannelFields_S{446006250, 446006250, 0, 0, 0, tx, rx, 0, 0}
                            << QStringLiteral("1,,446.006250,,0.000000,%1,FM,6.25,,5.0W,").arg(fields) << QStringList();
    };
    tones("no tone", 0, 0, ",88.5,88.5,023,NN,023,Tone->Tone");
    tones("equal CTCSS is TSQL", 9, 9, "TSQL,88.5,88.5,023,NN,023,Tone->Tone");
    tones("transmit-only CTCSS is Tone", 2, 0, "Tone,69.3,88.5,023,NN,023,Tone->Tone");
    tones("receive-only CTCSS is Cross ->Tone", 0, 2, "Cross,88.5,69.3,023,NN,023,->Tone");
    tones("two CTCSS tones are Cross Tone->Tone", 9, 2, "Cross,88.5,69.3,023,NN,023,Tone->Tone");
    tones("equal DCS code, mixed polarity is DTCS", 51, 156, "DTCS,88.5,88.5,023,NR,023,Tone->Tone");
    tones("DCS to CTCSS is Cross DTCS->Tone", 157, 2, "Cross,88.5,69.3,025,RN,023,DTCS->Tone");
    tones("CTCSS to DCS is Cross Tone->DTCS", 2, 52, "Cross,69.3,88.5,023,NN,025,Tone->DTCS");
    tones("two DCS codes are Cross DTCS->DTCS", 51, 157, "Cross,88.5,88.5,023,NR,025,DTCS->DTCS");
    tones("transmit-only DCS is Cross DTCS->", 157, 0, "Cross,88.5,88.5,025,RN,023,DTCS->");
    tones("receive-only DCS is Cross ->DTCS", 0, 52, "Cross,88.5,88.5,023,NN,025,->DTCS");
    QTest::newRow("transmit above in the band is +") << ChannelFields_S{446006250, 451006250, 0, 0, 0, 0, 0, 0, 0}
            << "1,,446.006250,+,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W," << QStringList();
    QTest::newRow("transmit below in the band is -; NFM, low, skipped, BCL, PTT-ID, 5 kHz raster")
            << ChannelFields_S{446005000, 410000000, 1, 1, 1, 0, 0, 1, 1}
            << "1,,446.005000,-,36.005000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,BCL PTT-ID" << QStringList();
    QTest::newRow("transmit outside the band is split, refused on import")
            << ChannelFields_S{440000000, 480000000, 0, 0, 0, 0, 0, 0, 0}
            << "1,,440.000000,split,480.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,"
            << QStringList{"line 2: transmit frequency 480.000000 MHz is outside the band 400-470 MHz"};
}

// The line exported, and imported again: the same channel.
void TestCliFiles::exportedColumns()
{
    QFETCH(ChannelFields_S, channel);
    QFETCH(QString, line);
    QFETCH(QStringList, imported);
    const QByteArray csv = ExportChannelPlan(QVector<ChannelFields_S>{channel}, kLimits);
    QCOMPARE(QString::fromUtf8(csv), kHeader + line + '\n');
    PlanImport same;
    same.channels = {channel};
    QCOMPARE(Outcome(Import(csv)), imported.isEmpty() ? Outcome(same) : imported);
}

void TestCliFiles::exportThenImportReproducesChannelRegion()
{
    // Channels the radio can hold (in the band, on the raster, tones of its
    // list), exported and imported into another image: the channel region is
    // the original's byte for byte, every other byte the base's.
    QRandomGenerator rng(7);
    const auto onRaster = [&rng] {
        const quint32 step = rng.bounded(2) ? 5000 : 6250;
        return quint32(400000000 + step * rng.bounded(70000000 / step));
    };
    for (int n = 0; n < 100; ++n) {
        RadioData_S original, base;
        for (int i = 0; i < kImageSize; ++i)
            original.at(i) = uint8_t(rng.bounded(256)), base.at(i) = uint8_t(rng.bounded(256));
        QVector<ChannelFields_S> rows(int(rng.bounded(17)));
        for (ChannelFields_S &f : rows) {
            f.RxFreq = onRaster();
            f.TxFreq = rng.bounded(3) ? f.RxFreq : onRaster();
            f.TxTone = int(rng.bounded(kToneListSize));
            f.RxTone = rng.bounded(3) ? int(rng.bounded(kToneListSize)) : f.TxTone;
            for (int *flag : {&f.Bandwidth, &f.Power, &f.Scan, &f.BusyLock, &f.PttDial})
                *flag = int(rng.bounded(2));
        }
        PutChannelPlan(&original, rows);
        const PlanImport plan = Import(ExportChannelPlan(original, kLimits));
        QVERIFY2(plan.refused.isEmpty(), qPrintable(Outcome(plan).join('\n')));
        RadioData_S imported = base, expected = base;
        PutChannelPlan(&imported, plan.channels);
        for (const auto &[o, size] : {std::pair{ImageOffset::ChannelWord, 2}, {ImageOffset::ChanCount, 2},
                                      {ImageOffset::ChanScanMask, 4}, {ImageOffset::Channels, kMaxChannels * 16}})
            std::memcpy(expected.bytes() + o, original.bytes() + o, size_t(size));
        QCOMPARE(Bytes(imported).toHex(' '), Bytes(expected).toHex(' '));
    }
}

void TestCliFiles::dump()
{
    ScratchDir dir;
    dir.writeFile("known.dat", Bytes(KnownImage()));
    const QStringList lines = Cli(dir, {"dump", "known.dat"}).out.split('\n');
    for (const char *line : {"  01  401.250000  401.250000  25k    high   yes   88.5     88.5     no         off",
                             "  02  446.006250  410.000000  12.5k  low    no    D025I    none     yes        on",
                             "  scan mode                 time", "  TX time-out               60S",
                             "  man-down alarm            off",   // hidden in the window, listed here
                             "  PTT ID sent               at TX end", "  FM channel mask           0x0005",
                             "  FM start channel          01", "  channel 03                108.0"})
        QVERIFY2(lines.contains(line), line);

    const QJsonObject root = QJsonDocument::fromJson(Cli(dir, {"dump", "known.dat", "--json"}).out.toUtf8()).object();
    const QJsonObject channels = root["channels"].toObject(), fm = root["fm"].toObject();
    const auto json = [](const QJsonValue &v) { return QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact); };
    QVERIFY(root["version"] == "V1.05" && channels["count"] == 2 && channels["scanMask"] == "0x00000002");
    QVERIFY(fm["mask"] == "0x0005" && fm["startChannel"] == 1 && fm["channels"].toArray().size() == 16);
    QCOMPARE(json(channels["list"].toArray()[1]),
             QByteArray(R"({"bandwidth":"12.5k","busyLock":true,"channel":2,"power":"low","pttDial":true,)"
                        R"("rxFreq":"446.006250","rxTone":"none","scan":false,)"
                        R"("txFreq":"410.000000","txTone":"D025I"})"));
    QCOMPARE(json(root["settings"].toArray()[7]),
             QByteArray(R"({"code":2,"key":"TotLev","label":"TX time-out","value":"60S"})"));
    QCOMPARE(json(root["dtmf"].toObject()["codes"].toArray()[2]),
             QByteArray(R"({"code":"","key":"Stun","label":"stun code"})"));
    QCOMPARE(json(fm["channels"].toArray()[1]), QByteArray(R"({"channel":2,"frequency":null})"));
}

void TestCliFiles::diff_data()
{
    QTest::addColumn<int>("offset");          // where the bytes are written into B
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, int offset, const QByteArray &bytes, const QStringList &expected) {
        QTest::newRow(name) << offset << bytes << expected;
    };
    row("equal images: no line", 0, "", {});
    row("receive frequency by channel", 0x67, "\xE2", {"channel 01 receive frequency: 401.250000 -> 401.250018"});
    row("setting by name and item text", 0x11, "\x03", {"battery save: off -> 1:3"});
    row("a code outside its list shows the first item", 0x08, "\x0A", {"squelch level: 3 -> 0"});
    row("same text, other byte: raw address and owner", 0x0F, "\xFF", {"0x008B VOX level: 00 -> FF"});
    row("byte of no page", 0x20, QByteArray(1, '\0'), {"0x009C not used by any page: FF -> 00"});
    row("DTMF code", 0x17, "\x04", {"PTT ID code: 123 -> 1234"});
    row("byte after a DTMF code's end", 0x18, "\x07", {"0x0094 PTT ID code digit 5: FF -> 07"});
    row("scan bit: mask and channel", 0x2B, "\x03",
        {"channel scan mask: 0x00000002 -> 0x00000003", "channel 01 scan: yes -> no"});
    row("FM preset added, mask kept", 0x46, "\x03\xBB", {"FM channel 02 frequency: (empty) -> 95.5"});
    QStringList added{"channel count: 2 -> 3"};
    for (const char *field : {"receive frequency: - -> -0.000001", "transmit frequency: - -> -0.000001",
                              "bandwidth: - -> 12.5k", "power: - -> low", "scan: - -> yes", "transmit tone: - -> none",
                              "receive tone: - -> none", "busy lockout: - -> yes", "PTT dialling: - -> on"})
        added << QStringLiteral("channel 03 ") + field;
    row("channel only in B: its fields against -", 0x0B, "\x03", added);
}

void TestCliFiles::diff()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    ScratchDir dir;
    const QByteArray a = Bytes(KnownImage());
    dir.writeFile("a.dat", a);
    dir.writeFile("b.dat", QByteArray(a).replace(offset, bytes.size(), bytes));
    const Run r = Cli(dir, {"diff", "a.dat", "b.dat"});
    QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts), expected);
    QCOMPARE(r.status, int(expected.isEmpty() ? Exit::Ok : Exit::Differs));
}

void TestCliFiles::normaliseAsWindow_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("chanNum");
    QTest::newRow("Chinese window, ChanNum 16") << "Chinese" << 16;
    QTest::newRow("English window, ChanNum 22 keeps every record") << "English" << 22;
    QTest::newRow("ChanNum 5 cuts the table") << "Chinese" << 5;
    QTest::newRow("ChanNum 0 stores no channel") << "English" << 0;
}

void TestCliFiles::normaliseAsWindow()
{
    QFETCH(QString, language);
    QFETCH(int, chanNum);
    ScratchDir dir;
    dir.setSettings({{"Language", language}, {"FirstRun", "No"}, {"ChanNum", QString::number(chanNum)}});
    ModalCloser closer;
    MainWindow w;
    QRandomGenerator rng(qHash(QByteArray(QTest::currentDataTag())));
    for (int n = 0; n < 100; ++n) {
        dir.writeFile("random.dat", RandomImage(rng));
        QVERIFY(w.MenuActionOpenFile(dir.file("random.dat")));
        const RadioData_S cli = NormaliseImage(MainWindowProbe::image(w), chanNum);
        w.GetRadioData();
        QCOMPARE(Bytes(MainWindowProbe::image(w)).toHex(' '), Bytes(cli).toHex(' '));
    }
    QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join('\n')));
}

QTEST_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
