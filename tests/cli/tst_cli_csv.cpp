// CSV channel plans: hand-written rows of every tone mode, cross mode,
// polarity, duplex form and power spelling; refusals by line; the parser's
// forms; export then import reproduces the channel region.
#include "csvplan.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

namespace {

const QByteArray kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                           "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\n";

PlanLimits Limits(int maxRows = 16)
{
    PlanLimits l;
    l.maxRows = maxRows;
    l.bandStartHz = 400000000;
    l.bandEndHz = 470000000;
    return l;
}

// "rx tx txTone rxTone mode power scan [BCL] [PTT-ID]"
QString Describe(const ChannelFields_S &f)
{
    const QStringList tones = ToneListTexts(QStringLiteral("none"));
    QString s = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                        .arg(ChannelFreqText(f.RxFreq), ChannelFreqText(f.TxFreq), tones.value(f.TxTone),
                             tones.value(f.RxTone), f.Bandwidth ? "NFM" : "FM", f.Power ? "low" : "high",
                             f.Scan ? "skip" : "scan");
    if (f.BusyLock)
        s += QStringLiteral(" BCL");
    if (f.PttDial)
        s += QStringLiteral(" PTT-ID");
    return s;
}

QStringList Refusals(const PlanImport &plan)
{
    QStringList out;
    for (const PlanRefusal &r : plan.refused)
        out << QStringLiteral("%1: %2").arg(r.line).arg(r.reason);
    return out;
}

QByteArray Region(const RadioData_S &image)
{
    QByteArray r;
    const auto add = [&](int offset, int count) {
        r += QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, count);
    };
    add(ImageOffset::ChannelWord, 2);
    add(ImageOffset::ChanCount, 2);
    add(ImageOffset::ChanScanMask, 4);
    add(ImageOffset::Channels, kMaxChannels * 16);
    return r;
}

} // namespace

class TestCliCsv : public QObject
{
    Q_OBJECT

private slots:
    void row_data();
    void row();
    void refusalsByLineOthersImport();
    void parserForms_data();
    void parserForms();
    void fileLevelErrors_data();
    void fileLevelErrors();
    void exportedColumns_data();
    void exportedColumns();
    void exportThenImportReproducesChannelRegion();
};

void TestCliCsv::row_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("expected");   // a channel, or "refused: <reason part>"

    // Tone modes. Columns a mode does not use hold other values and are ignored.
    QTest::newRow("no tone mode: no tones")
            << QByteArray("1,,446.006250,,0.000000,,100.0,141.3,754,RR,025,DTCS->Tone,FM,6.25,,5.0W,")
            << "446.006250 446.006250 none none FM high scan";
    QTest::newRow("Tone: rToneFreq on transmit only")
            << QByteArray("1,,440.000000,,0,Tone,100.0,141.3,754,RR,025,,FM,,,,")
            << "440.000000 440.000000 100.0 none FM high scan";
    QTest::newRow("TSQL: cToneFreq on both")
            << QByteArray("1,,440.000000,,0,TSQL,100.0,141.3,754,RR,025,,FM,,,,")
            << "440.000000 440.000000 141.3 141.3 FM high scan";
    QTest::newRow("DTCS NN: DtcsCode on both, normal")
            << QByteArray("1,,440.000000,,0,DTCS,67.0,67.0,023,NN,754,,FM,,,,")
            << "440.000000 440.000000 D023N D023N FM high scan";
    QTest::newRow("DTCS NR: receive inverted")
            << QByteArray("1,,440.000000,,0,DTCS,67.0,67.0,023,NR,754,,FM,,,,")
            << "440.000000 440.000000 D023N D023I FM high scan";
    QTest::newRow("DTCS RN: transmit inverted")
            << QByteArray("1,,440.000000,,0,DTCS,67.0,67.0,754,RN,023,,FM,,,,")
            << "440.000000 440.000000 D754I D754N FM high scan";
    QTest::newRow("DTCS RR, code written without leading zero")
            << QByteArray("1,,440.000000,,0,DTCS,67.0,67.0,23,rr,754,,FM,,,,")
            << "440.000000 440.000000 D023I D023I FM high scan";
    QTest::newRow("DTCS, empty polarity is NN")
            << QByteArray("1,,440.000000,,0,DTCS,,,432,,,,FM,,,,")
            << "440.000000 440.000000 D432N D432N FM high scan";

    // Cross modes: transmit side from rToneFreq / DtcsCode, receive side from
    // cToneFreq / RxDtcsCode; polarity letters transmit then receive.
    QTest::newRow("Cross Tone->Tone")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,023,NN,023,Tone->Tone,FM,,,,")
            << "440.000000 440.000000 67.0 254.1 FM high scan";
    QTest::newRow("Cross Tone->DTCS, receive inverted")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,023,NR,114,Tone->DTCS,FM,,,,")
            << "440.000000 440.000000 67.0 D114I FM high scan";
    QTest::newRow("Cross DTCS->Tone, transmit inverted")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,114,RN,023,DTCS->Tone,FM,,,,")
            << "440.000000 440.000000 D114I 254.1 FM high scan";
    QTest::newRow("Cross DTCS->DTCS, two codes")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,114,NN,731,DTCS->DTCS,FM,,,,")
            << "440.000000 440.000000 D114N D731N FM high scan";
    QTest::newRow("Cross ->Tone: receive only")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,114,NN,731,->Tone,FM,,,,")
            << "440.000000 440.000000 none 254.1 FM high scan";
    QTest::newRow("Cross ->DTCS: receive only, inverted")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,114,NR,731,->DTCS,FM,,,,")
            << "440.000000 440.000000 none D731I FM high scan";
    QTest::newRow("Cross Tone->: transmit only")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,114,NN,731,Tone->,FM,,,,")
            << "440.000000 440.000000 67.0 none FM high scan";
    QTest::newRow("Cross DTCS->: transmit only, inverted")
            << QByteArray("1,,440.000000,,0,Cross,67.0,254.1,114,RN,731,DTCS->,FM,,,,")
            << "440.000000 440.000000 D114I none FM high scan";

    // Duplex forms.
    QTest::newRow("Duplex + adds Offset")
            << QByteArray("1,,440.000000,+,5.000000,,,,,,,,FM,,,,") << "440.000000 445.000000 none none FM high scan";
    QTest::newRow("Duplex - subtracts Offset")
            << QByteArray("1,,440.000000,-,5.000000,,,,,,,,FM,,,,") << "440.000000 435.000000 none none FM high scan";
    QTest::newRow("Duplex split: Offset is the transmit frequency")
            << QByteArray("1,,440.000000,split,410.012500,,,,,,,,FM,,,,")
            << "440.000000 410.012500 none none FM high scan";
    QTest::newRow("Duplex + with empty Offset transmits on receive")
            << QByteArray("1,,440.000000,+,,,,,,,,,FM,,,,") << "440.000000 440.000000 none none FM high scan";
    QTest::newRow("Duplex off cannot be held")
            << QByteArray("1,,440.000000,off,0,,,,,,,,FM,,,,") << "refused: Duplex off";
    QTest::newRow("Duplex x is unknown") << QByteArray("1,,440.000000,x,0,,,,,,,,FM,,,,") << "refused: Duplex \"x\"";

    // Power spellings: above 2 W or empty is high, 2 W or less low.
    const char *const powers[][2] = {{"5.0W", "high"}, {"5W", "high"},  {"4", "high"},   {"2.5 W", "high"},
                                     {"2.01W", "high"}, {"", "high"},   {"High", "high"}, {"2.0W", "low"},
                                     {"2W", "low"},     {"1.0W", "low"}, {"0.5w", "low"}, {"low", "low"}};
    for (const auto &p : powers)
        QTest::addRow("Power \"%s\" is %s", p[0], p[1])
                << QByteArray("1,,440.000000,,0,,,,,,,,FM,,,") + p[0] + ","
                << QStringLiteral("440.000000 440.000000 none none FM %1 scan").arg(p[1]);
    QTest::newRow("Power lots is refused") << QByteArray("1,,440.000000,,0,,,,,,,,FM,,,lots,")
                                           << "refused: Power \"lots\"";

    // Mode, Skip, Comment words.
    QTest::newRow("NFM is 12.5k, S is not scanned, BCL and PTT-ID from Comment")
            << QByteArray("1,,440.000000,,0,,,,,,,,NFM,,S,1.0W,\"repeater, bcl ptt-id\"")
            << "440.000000 440.000000 none none NFM low skip BCL PTT-ID";
    QTest::newRow("Skip P is scanned") << QByteArray("1,,440.000000,,0,,,,,,,,FM,,P,,")
                                       << "440.000000 440.000000 none none FM high scan";
    QTest::newRow("Mode AM is refused") << QByteArray("1,,440.000000,,0,,,,,,,,AM,,,,") << "refused: Mode \"AM\"";
    QTest::newRow("Skip X is refused") << QByteArray("1,,440.000000,,0,,,,,,,,FM,,X,,") << "refused: Skip \"X\"";

    // Frequencies: the channel cell editor's clamp and snap; outside the band refused.
    QTest::newRow("snap down to 5 kHz") << QByteArray("1,,400.0031,,0,,,,,,,,FM,,,,")
                                        << "400.000000 400.000000 none none FM high scan";
    QTest::newRow("snap to the higher of 5 and 6.25 kHz") << QByteArray("1,,446.00624,,0,,,,,,,,FM,,,,")
                                                          << "446.005000 446.005000 none none FM high scan";
    QTest::newRow("just below the band end is clamped and snapped")
            << QByteArray("1,,469.9999999,,0,,,,,,,,FM,,,,") << "469.995000 469.995000 none none FM high scan";
    QTest::newRow("band start is inside") << QByteArray("1,,400,,0,,,,,,,,FM,,,,")
                                          << "400.000000 400.000000 none none FM high scan";
    QTest::newRow("band end is outside") << QByteArray("1,,470.000000,,0,,,,,,,,FM,,,,")
                                         << "refused: Frequency 470.000000 MHz is outside the band 400-470 MHz";
    QTest::newRow("transmit outside the band") << QByteArray("1,,468.000000,+,5,,,,,,,,FM,,,,")
                                               << "refused: transmit frequency 473.000000 MHz is outside";
    QTest::newRow("empty Frequency") << QByteArray("1,,,,0,,,,,,,,FM,,,,") << "refused: Frequency is empty";

    // Tones the radio's list lacks, and malformed tone columns.
    QTest::newRow("CTCSS 88.6 is not in the list") << QByteArray("1,,440,,0,Tone,88.6,,,,,,FM,,,,")
                                                   << "refused: rToneFreq 88.6 is not a CTCSS tone";
    QTest::newRow("DCS 017 is not in the list") << QByteArray("1,,440,,0,DTCS,,,017,NN,,,FM,,,,")
                                                << "refused: DtcsCode 017 is not a DCS code of the radio";
    QTest::newRow("TSQL without cToneFreq") << QByteArray("1,,440,,0,TSQL,88.5,,,,,,FM,,,,")
                                            << "refused: cToneFreq is empty";
    QTest::newRow("polarity NX") << QByteArray("1,,440,,0,DTCS,,,023,NX,,,FM,,,,")
                                 << "refused: DtcsPolarity \"NX\"";
    QTest::newRow("tone mode TSQL-R") << QByteArray("1,,440,,0,TSQL-R,,88.5,,,,,FM,,,,")
                                      << "refused: Tone \"TSQL-R\"";
    QTest::newRow("cross mode without an arrow") << QByteArray("1,,440,,0,Cross,88.5,88.5,,,,Tone,FM,,,,")
                                                 << "refused: CrossMode \"Tone\"";
    QTest::newRow("Location abc") << QByteArray("abc,,440,,0,,,,,,,,FM,,,,") << "refused: Location \"abc\"";
}

void TestCliCsv::row()
{
    QFETCH(QByteArray, row);
    QFETCH(QString, expected);
    const PlanImport plan = ImportChannelPlan(kHeader + row + "\n", Limits());
    QVERIFY2(plan.error.isEmpty(), qPrintable(plan.error));
    if (expected.startsWith(QLatin1String("refused: "))) {
        QCOMPARE(plan.channels.size(), 0);
        QCOMPARE(plan.refused.size(), 1);
        QCOMPARE(plan.refused.at(0).line, 2);
        QVERIFY2(plan.refused.at(0).reason.startsWith(expected.mid(9)), qPrintable(plan.refused.at(0).reason));
    } else {
        QVERIFY2(plan.refused.isEmpty(), qPrintable(Refusals(plan).join('\n')));
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(Describe(plan.channels.at(0)), expected);
    }
}

void TestCliCsv::refusalsByLineOthersImport()
{
    // Rows in Location order fill channels 1..; three rows are refused, and
    // with ChanNum 3 the highest Location is refused as well.
    const QByteArray csv = kHeader
            + "# plan for the site\n"                      // line 2
              "7,,441.000000,,0,,,,,,,,FM,,,,\n"           // 3
              "2,,440.000000,,0,Tone,88.6,,,,,,FM,,,,\n"   // 4: tone not in the list
              "\n"                                         // 5
              "3,,442.000000,off,0,,,,,,,,FM,,,,\n"        // 6: Duplex off
              "5,,443.000000,,0,,,,,,,,FM,,,,\n"           // 7
              "1,,444.000000,,0,,,,,,,,FM,,,,\n"           // 8
              "4,,480.000000,,0,,,,,,,,FM,,,,\n"           // 9: outside the band
              "9,,445.000000,,0,,,,,,,,FM,,,,\n";          // 10: fourth valid row
    const PlanImport plan = ImportChannelPlan(csv, Limits(3));
    QVERIFY(plan.error.isEmpty());
    QStringList rx;
    for (const ChannelFields_S &c : plan.channels)
        rx << ChannelFreqText(c.RxFreq);
    QCOMPARE(rx, QStringList({"444.000000", "443.000000", "441.000000"}));
    QCOMPARE(plan.lines, QVector<int>({8, 7, 3}));
    QStringList lines;
    for (const PlanRefusal &r : plan.refused)
        lines << QString::number(r.line);
    QCOMPARE(lines, QStringList({"4", "6", "9", "10"}));
    QVERIFY(plan.refused.at(3).reason.contains("holds 3 channels"));
}

void TestCliCsv::parserForms_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("expected");   // channels, then "line N" of each refusal

    QTest::newRow("byte-order mark, CRLF line ends")
            << QByteArray("\xEF\xBB\xBF") + QByteArray(kHeader).replace("\n", "\r\n")
                       + "1,,440.000000,,0,,,,,,,,NFM,,,,\r\n"
            << QStringList{"440.000000 440.000000 none none NFM high scan"};
    QTest::newRow("only Frequency, columns in any order and letter case")
            << QByteArray("mode,FREQUENCY,power\nNFM,441.5,1W\n,442.5,\n")
            << QStringList{"441.500000 441.500000 none none NFM low scan",
                           "442.500000 442.500000 none none FM high scan"};
    QTest::newRow("quoted fields with commas, quotes and a line break")
            << kHeader + "1,\"Base, \"\"North\"\"\",\"440.000000\",,0,,,,,,,,FM,,,,\"two\nlines BCL\"\n"
                         "2,,440.5,,0,,,,,,,,FM,,,x,\n"
            << QStringList{"440.000000 440.000000 none none FM high scan BCL", "line 4"};
    QTest::newRow("comment and blank lines keep the line count")
            << QByteArray("# exported\n\n") + kHeader + "  # note\n1,,440,,0,,,,,,,,FM,,X,,\n"
            << QStringList{"line 5"};
    QTest::newRow("a quote never closed refuses its row")
            << kHeader + "1,,440,,0,,,,,,,,FM,,,,\n2,\"open,440,,0,,,,,,,,FM,,,,\n"
            << QStringList{"440.000000 440.000000 none none FM high scan", "line 3"};
    QTest::newRow("header only: no channel") << kHeader << QStringList();
}

void TestCliCsv::parserForms()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, expected);
    const PlanImport plan = ImportChannelPlan(csv, Limits());
    QVERIFY2(plan.error.isEmpty(), qPrintable(plan.error));
    QStringList got;
    for (const ChannelFields_S &c : plan.channels)
        got << Describe(c);
    for (const PlanRefusal &r : plan.refused)
        got << QStringLiteral("line %1").arg(r.line);
    QCOMPARE(got, expected);
}

void TestCliCsv::fileLevelErrors_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty file") << QByteArray() << 0 << "no header line";
    QTest::newRow("comments only") << QByteArray("# nothing\n\n") << 0 << "no header line";
    QTest::newRow("no Frequency column") << QByteArray("# x\nLocation,Name\n1,a\n") << 2
                                         << "the header has no Frequency column";
}

void TestCliCsv::fileLevelErrors()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, line);
    QFETCH(QString, error);
    const PlanImport plan = ImportChannelPlan(csv, Limits());
    QCOMPARE(plan.error, error);
    QCOMPARE(plan.errorLine, line);
    QVERIFY(plan.channels.isEmpty());
}

void TestCliCsv::exportedColumns_data()
{
    QTest::addColumn<int>("txTone");
    QTest::addColumn<int>("rxTone");
    QTest::addColumn<quint32>("txHz");
    QTest::addColumn<int>("flags");   // bandwidth, power, scan, busy, ptt as bits 0..4
    QTest::addColumn<QString>("line");
    const quint32 rx = 446006250;
    QTest::newRow("no tones, FM, high, 6.25 kHz raster")
            << 0 << 0 << rx << 0 << "1,,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,";
    QTest::newRow("equal CTCSS is TSQL")
            << 9 << 9 << rx << 0 << "1,,446.006250,,0.000000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,";
    QTest::newRow("equal DCS code, mixed polarity is DTCS")
            << 51 << 156 << rx << 0 << "1,,446.006250,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,6.25,,5.0W,";
    QTest::newRow("transmit CTCSS only is Cross Tone->")
            << 1 << 0 << rx << 0 << "1,,446.006250,,0.000000,Cross,67.0,88.5,023,NN,023,Tone->,FM,6.25,,5.0W,";
    QTest::newRow("receive DCS inverted only is Cross ->DTCS")
            << 0 << 260 << rx << 0 << "1,,446.006250,,0.000000,Cross,88.5,88.5,023,NR,754,->DTCS,FM,6.25,,5.0W,";
    QTest::newRow("two CTCSS tones are Cross Tone->Tone")
            << 1 << 50 << rx << 0 << "1,,446.006250,,0.000000,Cross,67.0,254.1,023,NN,023,Tone->Tone,FM,6.25,,5.0W,";
    QTest::newRow("DCS to CTCSS is Cross DTCS->Tone")
            << 157 << 2 << rx << 0 << "1,,446.006250,,0.000000,Cross,88.5,69.3,025,RN,023,DTCS->Tone,FM,6.25,,5.0W,";
    QTest::newRow("split, NFM, low, not scanned, BCL and PTT-ID, 5 kHz raster")
            << 0 << 0 << quint32(410000000) << 0x1F
            << "1,,446.006250,split,410.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,BCL PTT-ID";
}

void TestCliCsv::exportedColumns()
{
    QFETCH(int, txTone);
    QFETCH(int, rxTone);
    QFETCH(quint32, txHz);
    QFETCH(int, flags);
    QFETCH(QString, line);
    ChannelFields_S f;
    f.RxFreq = 446006250;
    f.TxFreq = txHz;
    f.TxTone = txTone;
    f.RxTone = rxTone;
    f.Bandwidth = flags & 1;
    f.Power = flags >> 1 & 1;
    f.Scan = flags >> 2 & 1;
    f.BusyLock = flags >> 3 & 1;
    f.PttDial = flags >> 4 & 1;
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    ChannelStoreTable(&image, {f});
    const QList<QByteArray> lines = ExportChannelPlan(image, 16).split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0) + '\n', kHeader);
    QCOMPARE(QString::fromUtf8(lines.at(1)), line);
}

void TestCliCsv::exportThenImportReproducesChannelRegion()
{
    // Channels the radio can hold: in the band, on the raster, tones of its
    // list. Exported, imported into another base image, the channel region
    // is the original's byte for byte and nothing else of the base changes.
    QRandomGenerator rng(7);
    const PlanLimits limits = Limits(16);
    for (int n = 0; n < 100; ++n) {
        RadioData_S original, base;
        for (int i = 0; i < kImageSize; ++i) {
            original.at(i) = uint8_t(rng.bounded(256));
            base.at(i) = uint8_t(rng.bounded(256));
        }
        const auto onRaster = [&rng]() {
            const quint32 step = rng.bounded(2) ? 5000 : 6250;
            return quint32(400000000 + step * rng.bounded(70000000 / step));
        };
        QVector<ChannelFields_S> rows(int(rng.bounded(17)));
        for (ChannelFields_S &f : rows) {
            f.RxFreq = onRaster();
            f.TxFreq = rng.bounded(3) ? f.RxFreq : onRaster();
            f.TxTone = int(rng.bounded(kToneListSize));
            f.RxTone = rng.bounded(3) ? int(rng.bounded(kToneListSize)) : f.TxTone;
            f.Bandwidth = int(rng.bounded(2));
            f.Power = int(rng.bounded(2));
            f.Scan = int(rng.bounded(2));
            f.BusyLock = int(rng.bounded(2));
            f.PttDial = int(rng.bounded(2));
        }
        PutChannelPlan(&original, rows);

        const QByteArray csv = ExportChannelPlan(original, limits.maxRows);
        const PlanImport plan = ImportChannelPlan(csv, limits);
        QVERIFY2(plan.refused.isEmpty(), qPrintable(Refusals(plan).join('\n')));
        RadioData_S imported = base;
        PutChannelPlan(&imported, plan.channels);
        QCOMPARE(Region(imported).toHex(' '), Region(original).toHex(' '));
        RadioData_S rest = imported;
        std::memcpy(rest.bytes() + ImageOffset::Channels, base.bytes() + ImageOffset::Channels, kMaxChannels * 16);
        for (int o : {ImageOffset::ChannelWord, ImageOffset::ChanCount})
            for (int k = 0; k < 2; ++k)
                rest.at(o + k) = base.at(o + k);
        for (int k = 0; k < 4; ++k)
            rest.at(ImageOffset::ChanScanMask + k) = base.at(ImageOffset::ChanScanMask + k);
        QVERIFY(std::memcmp(rest.bytes(), base.bytes(), kImageSize) == 0);
    }
}

QTEST_MAIN(TestCliCsv)
#include "tst_cli_csv.moc"
