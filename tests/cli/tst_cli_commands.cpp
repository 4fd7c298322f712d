// radiocps-cli as a process: each failure's status and message, broken-off writes, CSV imports, settings search.
#include "clirun.h"

#include <QSerialPort>
#include <QtTest>

const QString noAnswer = "no proper answer from the radio (check the cable and that it is on)";

// Where the settings are looked for, in order; each file has its own ChanNum, 3 to 6.
const QStringList kSettingsPlaces{"given.ini", "datafile/sysset.ini", "xdg/radiocps/datafile/sysset.ini",
                                  "prefix/share/radiocps/datafile/sysset.ini"};

class TestCliCommands : public QObject
{
    Q_OBJECT

private slots:
    // One row per line of tests/data/cli/failures.txt, which says what the columns hold; the link is fast.
    void failures_data()
    {
        QTest::addColumn<QStringList>("sim");   // the emulator's options; empty: none
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        for (const QStringList &f : GoldenRows("cli/failures.txt"))
            QTest::newRow(qPrintable(f[0])) << f.value(1).split(' ', Qt::SkipEmptyParts) << f.value(2)
                                            << f.value(3).split(' ', Qt::SkipEmptyParts) << f.value(4).toInt() << f.value(5);
    }

    void failures()
    {
        QFETCH(QStringList, sim);
        QFETCH(QString, setup);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        ScratchDir dir;
        const QByteArray good = RandomImage(7, true);
        const int held = uint8_t(good.at(kImageSize - 1)), altered = held ^ 0x5A;
        dir.writeFile("good.dat", good);
        dir.writeFile("short.dat", QByteArray(kImageSize - 1, '\0'));
        dir.writeFile("ro.dat", good);
        dir.writeFile("no-access", "");
        dir.writeFile("big.csv", "");
        QFile::resize(dir.file("big.csv"), 2 << 20);
        QVERIFY(QDir(dir.path()).mkdir("locked"));
        QFile::setPermissions(dir.file("ro.dat"), QFile::ReadOwner);
        QFile::setPermissions(dir.file("no-access"), {});
        QFile::setPermissions(dir.file("locked"), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(QStringList({"", "held", "no-settings", "root"}).contains(setup));
        if (setup == "no-settings")
            QFile::remove(dir.file("datafile/sysset.ini"));
        const QMap<QString, QByteArray> before = Files(dir);
        sim.replaceInStrings("$A", QString::number(altered));
        QScopedPointer<SimProcess> radio(sim.isEmpty() ? nullptr : new SimProcess(sim));
        const QString port = radio ? radio->port : dir.file("no-such-tty");
        QSerialPort holder(QFileInfo(port).canonicalFilePath());   // locks go by the device's own name
        QVERIFY(setup != "held" || holder.open(QIODevice::ReadWrite));

        const Run r = Cli(dir, args.replaceInStrings("$P", port) + (radio ? QStringList("--fast") : QStringList()),
                          setup == "root" ? Directly : AsUser);
        QTEST(r.status, "status");
        QCOMPARE(r.errLines, QStringList("radiocps-cli: " + message.replace("$P", port).replace(
                                                 "$H", QString::asprintf("%02X, expected %02X", altered, held))));
        QCOMPARE(Files(dir), before);
    }

    // Without a command: the general help on standard error, a bad command line.
    void bareCall()
    {
        ScratchDir dir;
        const Run r = Cli(dir, {});
        QVERIFY(r.status == int(Exit::Usage) && r.out.isEmpty() && r.errLines.value(0).startsWith("Usage: "));
    }

    // A write with backup is three transfers of 30 exchanges (connect, 28 blocks, end): backup read 1..30,
    // write 31..60, verify read 61..90. The emulator stops answering from an exchange on; it stores a written
    // block even when it leaves it unanswered. $P: the port, $B: the backup.
    void writeBrokenOff_data()
    {
        QTest::addColumn<int>("silentFrom");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");    // the one line on stderr
        QTest::addColumn<int>("blocksWritten");  // the radio holds the plan's first blocks, then its old bytes
        QTest::newRow("read-back fails: written, not verified") << 62 << int(Exit::NotVerified)
                << "$P: written, not verified: verify read: " + noAnswer << 28;
        QTest::newRow("write breaks off mid-transfer: not claimed as written") << 45 << int(Exit::LinkFail)
                << "$P: write: " + noAnswer + "; the radio may hold part of plan.dat (write $B --raw puts back "
                                              "what it held)" << 14;
    }

    void writeBrokenOff()
    {
        QFETCH(int, silentFrom);
        QFETCH(QString, message);
        QFETCH(int, blocksWritten);
        ScratchDir dir;
        const QByteArray before = RandomImage(3), plan = RandomImage(4, true);
        dir.writeFile("before.dat", before);
        dir.writeFile("plan.dat", plan);
        SimProcess sim({"--image", dir.file("before.dat"), "--save", dir.file("after.dat"), "--silent",
                        "--exchanges", QString::number(silentFrom) + "-"});
        const Run r = Cli(dir, {"write", sim.port, "plan.dat", "--fast"});
        sim.stop();   // saves what the radio holds
        QTEST(r.status, "status");
        QCOMPARE(Backups(dir).size(), 1);
        const QString backup = "backups/" + Backups(dir).at(0);
        QCOMPARE(r.errLines, QStringList("radiocps-cli: " + message.replace("$P", sim.port).replace("$B", backup)));
        QCOMPARE(r.out, "Backup of the radio saved as " + backup + "\n");
        const int split = kHeaderSize + 16 * blocksWritten;
        QCOMPARE(Window(dir.readFile("after.dat")), Window(plan.left(split) + before.mid(split)));
    }

    void importCsv_data()
    {
        QTest::addColumn<QString>("plan");   // tests/data/cli/import/<plan>.csv
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("size");       // of new.dat after: 3 while it holds "old"
        QTest::newRow("plan without Frequency") << "no-frequency" << int(Exit::FileError) << 3;
        QTest::newRow("import with no usable row writes nothing") << "all-refused" << int(Exit::RowsRefused) << 3;
        QTest::newRow("rows refused, snapped ones imported") << "location-order" << int(Exit::RowsRefused) << kImageSize;
        QTest::newRow("snapped rows only noted: status 0") << "snapped" << int(Exit::Ok) << kImageSize;
    }

    // The plan into good.dat as new.dat, which holds "old" before: stderr, then stdout, as import/<plan>.cli.
    void importCsv()
    {
        QFETCH(QString, plan);
        ScratchDir dir;
        dir.writeFile("good.dat", RandomImage(7, true));
        dir.writeFile("plan.csv", ReadBytes(SOURCE_DIR "/tests/data/cli/import/" + plan + ".csv"));
        dir.writeFile("new.dat", "old");
        const Run r = Cli(dir, {"import-csv", "plan.csv", "--into", "good.dat", "-o", "new.dat"});
        QTEST(r.status, "status");
        QCOMPARE((r.errLines.join('\n') + '\n' + r.out).split('\n'), GoldenLines("cli/import/" + plan + ".cli"));
        QTEST(dir.readFile("new.dat").size(), "size");
    }

    void settingsSearch_data()
    {
        QTest::addColumn<QStringList>("present");   // settings files that exist
        QTest::addColumn<bool>("inRunFolder");      // started in the folder holding datafile/sysset.ini
        QTest::addColumn<int>("chanNum");           // of the file used; 0: none found
        const QStringList all = kSettingsPlaces, notGiven = all.mid(1);
        QTest::newRow("--settings before all others") << all << true << 3;
        QTest::newRow("the run folder's before the per-user one") << notGiven << true << 4;
        QTest::newRow("outside a run folder: the per-user one") << notGiven << false << 5;
        QTest::newRow("no per-user one: the installed default") << QStringList{all[1], all[3]} << false << 6;
        QTest::newRow("none: refused") << QStringList() << false << 0;
    }

    // The installed tool (a copy under prefix/bin) exports default.dat's eight channels, at most
    // ChanNum of them, from where the settings are found.
    void settingsSearch()
    {
        QFETCH(QStringList, present);
        QFETCH(bool, inRunFolder);
        QFETCH(int, chanNum);
        ScratchDir dir;
        for (int i : {0, 2, 3, 1}) {   // copies of the run folder's file, which is set last
            const QString place = dir.file(kSettingsPlaces[i]);
            dir.setSettings({{"ChanNum", QString::number(3 + i)}});
            if (i != 1 && present.contains(kSettingsPlaces[i]))
                QVERIFY(QDir().mkpath(QFileInfo(place).path()) && QFile::copy("datafile/sysset.ini", place));
        }
        QVERIFY(present.contains(kSettingsPlaces[1]) || QFile::remove(dir.file("datafile/sysset.ini")));
        QVERIFY(QDir().mkpath(dir.file("prefix/bin")) && QDir().mkpath(dir.file("elsewhere"))
                && QFile::copy(RUN_DIR "/radiocps-cli", dir.file("prefix/bin/radiocps-cli")));
        const QStringList given{"--settings", dir.file("given.ini")};
        const Run r = Cli(dir, QStringList{"export-csv", dir.file("datafile/default.dat"), "-o", "-"}
                                       + (present.contains("given.ini") ? given : QStringList()),
                          Directly, QString(), inRunFolder ? dir.path() : dir.file("elsewhere"),
                          dir.file("prefix/bin/radiocps-cli"));
        QCOMPARE(r.status, int(chanNum ? Exit::Ok : Exit::FileError));
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts).size(), chanNum ? chanNum + 1 : 0);   // with the header
    }
};

QTEST_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
