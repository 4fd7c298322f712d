// radiocps-cli clone against emulated radios: side by side on three ports, one after another on one port
// (a row of radios), a session ended by SIGINT.
#include "clirun.h"

#include <QtTest>

namespace {

// The log's lines after its header: "port,number,model,version,result" of each row.
QStringList LogRows(const ScratchDir &dir)
{
    QStringList rows;
    for (const QString &line : QString::fromUtf8(dir.readFile("log.csv")).split('\n', Qt::SkipEmptyParts).mid(1))
        rows << line.section(',', 1, 4) + ',' + line.section(',', 5, -3);
    return rows;
}

} // namespace

class TestCliClone : public QObject
{
    Q_OBJECT

private slots:
    // Three radios at once, the second of another model: that one refused and untouched, the others written
    // and verified; a log row each; the wrong-model status.
    void sideBySide()
    {
        ScratchDir dir;
        dir.writeFile("before.dat", RandomImage(1));
        dir.writeFile("plan.dat", RandomImage(2, true));
        std::vector<std::unique_ptr<SimProcess>> sims;
        for (const char *model : {"0x6B05", "0x1234", "0x6B05"})
            sims.emplace_back(new SimProcess({"--image", dir.file("before.dat"), "--model", model, "--save",
                                              dir.file(QString("after%1.dat").arg(sims.size() + 1))}));
        const Run r = Cli(dir, {"clone", "plan.dat", sims[0]->port, sims[1]->port, sims[2]->port, "--fast", "--log",
                                "log.csv"});
        QCOMPARE(r.status, int(Exit::WrongModel));
        for (auto &sim : sims)
            sim->stop();
        QCOMPARE(r.errLines, QStringList(sims[1]->port + ": radio 2: backup read, nothing written: the radio is not "
                                                        "model 6B05").replaceInStrings(QRegularExpression("^"), "radiocps-cli: "));
        QVERIFY2(r.out.endsWith("\n3 radios: 2 written and verified, 1 wrong model, not written on " + sims[1]->port
                                + "\n"), qPrintable(r.out));
        for (int i : {1, 3})
            QCOMPARE(Window(dir.readFile(QString("after%1.dat").arg(i))), Window(RandomImage(2, true)));
        QCOMPARE(Window(dir.readFile("after2.dat")), Window(RandomImage(1)));
        QCOMPARE(LogRows(dir).size(), 3);
        QVERIFY(LogRows(dir).contains(sims[1]->port + ",2,1234,V1.05,\"wrong model, not written\""));
        QCOMPARE(QFileInfo(dir.file("log.csv")).permissions() & 0x77, 0);   // neither group nor others
    }

    // --repeat --count 3 on one port: three radios in turn, each answering a while after it is done, the second
    // garbled once; each holds the file, has its backup, line and log row.
    void oneAfterAnother()
    {
        ScratchDir dir;
        dir.writeFile("before.dat", RandomImage(1));
        dir.writeFile("plan.dat", RandomImage(2, true));
        SimProcess sim({"--image", dir.file("before.dat"), "--save", dir.file("after.dat"), "--row", "3",
                        "--row-gap", "500", "--row-stay", "1000", "--row-faulty", "2", "--garble", "1", "--exchanges", "10-"});
        const Run r = Cli(dir, {"clone", "plan.dat", sim.port, "--repeat", "--count", "3", "--fast", "--log", "log.csv"});
        QCOMPARE(r.status, int(Exit::Ok));
        QStringList rows;
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(Window(dir.readFile(QString("after-%1.dat").arg(k))), Window(RandomImage(2, true)));
            rows << QString("%1,%2,6B05,V1.0%3,written and verified").arg(sim.port).arg(k).arg(4 + k);
            QVERIFY2(QRegularExpression(QString("\nradio %1 on %2: V1.0%3, written and verified in \\d+\\.\\d s \\(backup "
                                                "(backups/\\S+-%1-\\d{8}-\\d{6}\\.dat)\\)\n").arg(k).arg(sim.port).arg(4 + k))
                             .match("\n" + r.out).hasMatch(), qPrintable(r.out));
        }
        QCOMPARE(LogRows(dir), rows);
        QCOMPARE(Backups(dir).size(), 3);
        QVERIFY(r.out.endsWith("\n3 radios: 3 written and verified\n"));
    }

    // A log row that cannot be written (a full disk) fails the session, though the radio was written.
    void logRowLost()
    {
        ScratchDir dir;
        dir.writeFile("plan.dat", RandomImage(2, true));
        SimProcess sim;
        const Run r = Cli(dir, {"clone", "plan.dat", sim.port, "--fast", "--log", "/dev/full"});
        QCOMPARE(r.status, int(Exit::FileError));
        QVERIFY2(r.out.endsWith("\n1 radio: 1 written and verified, the log lacks rows\n"), qPrintable(r.out));
        QCOMPARE(r.errLines, QStringList("radiocps-cli: /dev/full: radio 1's row could not be written to the log"));
    }

    // SIGINT while the port waits for the next radio: the summary, and the log holds the radio done.
    void interrupted()
    {
        ScratchDir dir;
        dir.writeFile("plan.dat", RandomImage(2, true));
        SimProcess sim({"--row", "2", "--row-gap", "5000"});
        const Run r = Cli(dir, {"-c", "\"$0\" clone plan.dat \"$1\" --repeat --fast --log log.csv >out.txt & pid=$!; "
                                      "until grep -q '^radio 1 ' out.txt; do sleep 0.1; done; kill -INT $pid; wait $pid; "
                                      "status=$?; cat out.txt; exit $status", RUN_DIR "/radiocps-cli", sim.port},
                          Directly, QString(), QString(), "/bin/sh");
        QCOMPARE(r.status, int(Exit::Ok));
        QVERIFY2(r.out.endsWith("\n1 radio: 1 written and verified\n"), qPrintable(r.out));
        QCOMPARE(LogRows(dir), QStringList(sim.port + ",1,6B05,V1.05,written and verified"));

        // Ended before any radio answered: no radio found is a link failure.
        SimProcess silent({"--silent"});
        const Run none = Cli(dir, {"-c", "\"$0\" clone plan.dat \"$1\" --repeat & sleep 1; kill -INT $!; wait $!",
                                   RUN_DIR "/radiocps-cli", silent.port}, Directly, QString(), QString(), "/bin/sh");
        QCOMPARE(none.status, int(Exit::LinkFail));
        QCOMPARE(none.out, "0 radios: no radio found\n");
    }
};

QTEST_MAIN(TestCliClone)
#include "tst_cli_clone.moc"
