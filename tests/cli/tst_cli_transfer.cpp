// radiocps-cli transfers against the emulated radio in one emulator session:
// raw and plain read, write with backup, verify and progress on a terminal,
// raw restore; a late answer after a stray byte.
#include "clirun.h"

#include <QtTest>

#include <fcntl.h>

class TestCliTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readWriteBackupRestore();
    void lateAnswerAfterStrayByte_data();
    void lateAnswerAfterStrayByte();
    void backupOutsideRunFolder();
};

void TestCliTransfer::readWriteBackupRestore()
{
    ScratchDir dir;
    const QByteArray before = RandomImage(1), plan = RandomImage(2);
    dir.writeFile("before.dat", before);
    dir.writeFile("plan.dat", plan);
    SimProcess sim({"--image", dir.file("before.dat"), "--save", dir.file("after.dat")});

    // read --raw, with no settings file: the header the radio sent and the
    // window as read, bytes no page uses included (0x009C here).
    QVERIFY(uint8_t(before.at(0x20)) != 0xFF);
    const QByteArray asRead = "\x05\x6B\x01\x05" + before.mid(kHeaderSize);
    QVERIFY(QFile::rename(dir.file("datafile/sysset.ini"), dir.file("sysset.ini")));
    Run r = Cli(dir, {"read", sim.port, "-o", "raw.dat", "--raw"});
    QVERIFY(QFile::rename(dir.file("sysset.ini"), dir.file("datafile/sysset.ini")));
    QCOMPARE(r.errLines, QStringList());
    QCOMPARE(r.out, "Read radio V1.05 on " + sim.port + " into raw.dat\n");
    QCOMPARE(dir.readFile("raw.dat").toHex(' '), asRead.toHex(' '));

    // read: what the window would save; no progress off a terminal.
    r = Cli(dir, {"read", sim.port, "-o", "out.dat"});
    QVERIFY(r.status == int(Exit::Ok) && r.errLines.isEmpty());
    QCOMPARE(dir.readFile("out.dat").toHex(' '), RandomImage(1, true).toHex(' '));
    QTRY_COMPARE(sim.connects(), 2);

    // write with standard error on a pseudo-terminal (kept open here so that
    // nothing is lost): backup read, write, verify read, each counting to 100 %.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    r = Cli(dir, {"write", sim.port, "plan.dat"}, Directly, QString::fromLocal8Bit(ptsname(master)));
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    QByteArray shown;
    char buf[4096];
    for (ssize_t n; (n = ::read(master, buf, sizeof buf)) > 0;)
        shown.append(buf, int(n));
    ::close(slave);
    ::close(master);
    QCOMPARE(r.status, int(Exit::Ok));
    QTRY_COMPARE(sim.connects(), 5);
    for (const char *phase : {"backup", "writing", "verifying"})
        for (const char *percent : {"   5%", " 100%"})
            QVERIFY2(shown.contains("\r" + QByteArray(phase).leftJustified(10, ' ') + percent), shown.constData());
    const QStringList backups = Backups(dir);
    QCOMPARE(backups.size(), 1);
    QVERIFY2(QRegularExpression("^radio-\\d{8}-\\d{6}\\.dat$").match(backups.at(0)).hasMatch(), qPrintable(backups[0]));
    QCOMPARE(r.out, "Backup of the radio saved as backups/" + backups.at(0) + "\nWrote plan.dat to " + sim.port
                            + " and verified it\n");
    QCOMPARE(dir.readFile("backups/" + backups.at(0)).toHex(' '), asRead.toHex(' '));
    QCOMPARE(Window(dir.readFile("after.dat")), Window(RandomImage(2, true)));

    // --raw --no-verify: another backup, then the file byte for byte, bytes
    // of no page included; verify --raw accepts it.
    QCOMPARE(Cli(dir, {"write", sim.port, "plan.dat", "--raw", "--no-verify"}).status, int(Exit::Ok));
    QTRY_COMPARE(sim.connects(), 7);
    QCOMPARE(Backups(dir).size(), 2);
    QTRY_COMPARE(Window(dir.readFile("after.dat")), Window(plan));
    r = Cli(dir, {"verify", sim.port, "plan.dat", "--raw"});
    QCOMPARE(r.out, "The radio on " + sim.port + " holds plan.dat\n");
}

void TestCliTransfer::lateAnswerAfterStrayByte_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QStringList>("fast");
    QTest::newRow("read") << false << QStringList();
    QTest::newRow("write") << true << QStringList();
    QTest::newRow("read --fast") << false << QStringList{"--fast"};
    QTest::newRow("write --fast") << true << QStringList{"--fast"};
}

// Block 2 meets a stray byte 300 ms after its request and is answered
// 700 ms after each of its two tries: the transfer takes exactly the
// right bytes, none shifted to the next block, on either link.
void TestCliTransfer::lateAnswerAfterStrayByte()
{
    QFETCH(bool, write);
    QFETCH(QStringList, fast);
    ScratchDir dir;
    const QByteArray radio = RandomImage(5), plan = RandomImage(6);
    dir.writeFile("radio.dat", radio);
    dir.writeFile("plan.dat", plan);
    SimProcess sim({"--image", dir.file("radio.dat"), "--save", dir.file("after.dat"), "--delay", "700",
                    "--exchanges", "4-5", "--stray", "4:300"});
    const Run r = Cli(dir, (write ? QStringList{"write", sim.port, "plan.dat", "--raw", "--no-backup", "--no-verify"}
                                  : QStringList{"read", sim.port, "-o", "out.dat", "--raw"}) + fast);
    QVERIFY2(r.status == int(Exit::Ok), qPrintable(r.errLines.join('\n')));
    QTRY_COMPARE(Window(dir.readFile(write ? "after.dat" : "out.dat")), Window(write ? plan : radio));
}

// Started outside a run folder, write finds the per-user settings and keeps
// its backup in the per-user data folder, and says where.
void TestCliTransfer::backupOutsideRunFolder()
{
    ScratchDir dir;
    const QString user = dir.file("xdg/radiocps");
    QVERIFY(QDir().mkpath(user + "/datafile") && QDir().mkpath(dir.file("elsewhere"))
            && QFile::rename(dir.file("datafile/sysset.ini"), user + "/datafile/sysset.ini"));
    dir.writeFile("radio.dat", RandomImage(7));
    dir.writeFile("elsewhere/plan.dat", RandomImage(8));
    SimProcess sim({"--image", dir.file("radio.dat")});
    const Run r = Cli(dir, {"write", sim.port, "plan.dat", "--no-verify"}, Directly, QString(), QString(),
                      dir.file("elsewhere"));
    QVERIFY2(r.status == int(Exit::Ok), qPrintable(r.errLines.join('\n')));
    const QStringList backups = QDir(user + "/backups").entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY2(r.out.contains(user + "/backups/" + backups.at(0)), qPrintable(r.out));
    QVERIFY(!QFileInfo::exists(dir.file("elsewhere/backups")));
}

QTEST_MAIN(TestCliTransfer)
#include "tst_cli_transfer.moc"
