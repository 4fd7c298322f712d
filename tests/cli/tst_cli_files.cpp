// The core's CSV channel plans against golden plans and outcomes, an export of every tone and
// duplex kind imported again; radiocps-cli's dump and diff of a known image against golden files.
#include "channels/csvplan.h"
#include "clirun.h"

#include <QtTest>

#include <cstring>

namespace {

const PlanLimits kLimits{16, 400000000, 470000000};

// "channel N from line L: rx[/tx] txTone rxTone mode power scan [BCL] [PTT-ID]" per channel, "line L refused:
// reason" per refusal, "line L note: change" per snapped frequency; or "error at line L: text".
QStringList Outcome(const PlanImport &plan)
{
    if (!plan.error.isEmpty())
        return {QStringLiteral("error at line %1: %2").arg(plan.errorLine).arg(plan.error)};
    const QStringList tones = ToneListTexts(QStringLiteral("none"));
    QStringList out;
    for (int i = 0; i < plan.channels.size(); ++i) {
        const ChannelFields_S &f = plan.channels[i];
        out << QStringLiteral("channel %1 from line %2: %3%4 %5 %6 %7 %8 %9%10%11")
                        .arg(i + 1).arg(plan.lines.value(i))
                        .arg(ChannelFreqText(f.RxFreq), f.TxFreq != f.RxFreq ? '/' + ChannelFreqText(f.TxFreq) : "",
                             tones.value(f.TxTone), tones.value(f.RxTone), f.Bandwidth ? "NFM" : "FM",
                             f.Power ? "low" : "high", f.Scan ? "skip" : "scan")
                        .arg(f.BusyLock ? " BCL" : "", f.PttDial ? " PTT-ID" : "");
    }
    for (const PlanRefusal &r : plan.refused)
        out << QStringLiteral("line %1 refused: %2").arg(r.line).arg(r.reason);
    for (const PlanSnap &n : plan.snapped)
        out << QStringLiteral("line %1 note: %2").arg(n.line).arg(n.change);
    return out;
}

// known.hex: five channels of every tone kind, settings, DTMF codes and FM presets.
QByteArray KnownImage()
{
    QByteArray hex;
    for (const QStringList &row : GoldenRows("cli/known.hex"))
        hex += row[0].toLatin1();
    return QByteArray::fromHex(hex);
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    // Every tone mode, cross mode, polarity, duplex form and power spelling;
    // refusals by line, snaps, ChanNum, byte-order mark, CRLF and quoting.
    void import_data()
    {
        QTest::addColumn<QString>("plan");   // import/<plan>.csv, its outcome in import/<plan>.txt
        QTest::addColumn<int>("maxRows");
        for (const char *plan : {"tone-modes", "cross-modes", "duplex", "power-mode", "band-edges", "snapped",
                                 "all-refused", "bom-crlf-columns", "quoting", "no-header", "no-frequency"})
            QTest::newRow(plan) << QString(plan) << 16;
        QTest::newRow("location-order, beyond ChanNum 3 refused") << "location-order" << 3;
    }

    void import()
    {
        QFETCH(QString, plan);
        QFETCH(int, maxRows);
        const QByteArray csv = ReadBytes(SOURCE_DIR "/tests/data/cli/import/" + plan + ".csv");
        QCOMPARE(Outcome(ImportChannelPlan(csv, {maxRows, kLimits.bandStartHz, kLimits.bandEndHz})) << "",
                 GoldenLines("cli/import/" + plan + ".txt"));
    }

    // Every tone and duplex kind exported as export.csv, and imported again: the same channels but the
    // last, whose transmit frequency lies outside the band (exported as split, refused on import).
    void exportedColumns()
    {
        const auto at = [](int tx, int rx) { return ChannelFields_S{446006250, 446006250, 0, 0, 0, tx, rx, 0, 0}; };
        const QVector<ChannelFields_S> channels{
                at(0, 0), at(9, 9), at(2, 0), at(0, 2), at(9, 2), at(51, 156), at(157, 2), at(2, 52), at(51, 157),
                at(157, 0), at(0, 52), {446006250, 451006250, 0, 0, 0, 0, 0, 0, 0},
                {446005000, 410000000, 1, 1, 1, 0, 0, 1, 1}, {440000000, 480000000, 0, 0, 0, 0, 0, 0, 0}};
        const QByteArray csv = ExportChannelPlan(channels, kLimits);
        QCOMPARE(QString::fromUtf8(csv).split('\n'), GoldenLines("cli/export.csv"));
        const PlanImport imported = ImportChannelPlan(csv, kLimits);
        QVERIFY2(imported.channels == channels.mid(0, channels.size() - 1), qPrintable(Outcome(imported).join('\n')));
        QCOMPARE(Outcome(imported).last(),
                 "line 15 refused: transmit frequency 480.000000 MHz is outside the band 400-470 MHz");
    }

    // Channels the radio can hold (in the band, on the raster, tones of its list), exported and imported
    // into another image: the channel region is the original's byte for byte, every other byte the base's.
    void exportThenImportReproducesChannelRegion()
    {
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
            const PlanImport plan = ImportChannelPlan(ExportChannelPlan(original, kLimits), kLimits);
            QVERIFY2(plan.refused.isEmpty(), qPrintable(Outcome(plan).join('\n')));
            RadioData_S imported = base, expected = base;
            PutChannelPlan(&imported, plan.channels);
            for (const auto &[o, size] : {std::pair{ImageOffset::ChannelWord, 2}, {ImageOffset::ChanCount, 2},
                                          {ImageOffset::ChanScanMask, 4}, {ImageOffset::Channels, kMaxChannels * 16}})
                std::memcpy(expected.bytes() + o, original.bytes() + o, size_t(size));
            QCOMPARE(Bytes(imported).toHex(' '), Bytes(expected).toHex(' '));
        }
    }

    // b.dat: known.dat with a receive frequency, a setting's item, a code outside its list (shown as
    // the first item), a byte whose text stays (raw, with its owner), a byte of no page, a DTMF digit
    // and one after the code's end, a scan bit, an FM preset and a channel only in B changed.
    void dump_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        const QStringList dump{"dump", "known.dat"}, diff{"diff", "known.dat"};
        QTest::newRow("text") << dump << int(Exit::Ok) << GoldenLines("cli/dump.txt");
        QTest::newRow("--json") << dump + QStringList("--json") << int(Exit::Ok) << GoldenLines("cli/dump.json");
        QTest::newRow("diff") << diff + QStringList("b.dat") << int(Exit::Differs) << GoldenLines("cli/diff.txt");
        QTest::newRow("diff with itself") << diff + QStringList("known.dat") << int(Exit::Ok) << QStringList("");
    }

    void dump()
    {
        QFETCH(QStringList, args);
        ScratchDir dir;
        QByteArray b = KnownImage();
        dir.writeFile("known.dat", b);
        for (const auto &[offset, bytes] : {std::pair<int, QByteArray>{0x67, "\xE2"}, {0x11, "\x03"}, {0x08, "\x0A"},
                                            {0x0F, "\xFF"}, {0x20, QByteArray(1, 0)}, {0x17, "\x04"}, {0x35, "\x07"},
                                            {0x2B, "\x03"}, {0x46, "\x03\xBB"}, {0x0B, "\x06"}})
            b.replace(offset, bytes.size(), bytes);
        dir.writeFile("b.dat", b);
        QFile::setPermissions(dir.file("known.dat"), QFile::ReadOwner);   // read by an ordinary user all the same
        const Run r = Cli(dir, args, AsUser);
        QTEST(r.status, "status");
        QTEST(r.out.split('\n'), "out");
    }
};

QTEST_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
