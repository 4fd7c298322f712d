// radiocps-cli as a real process in a scratch run folder, against the
// emulated radio on a pseudo-terminal: read, write with backup and verify,
// verify of a byte the emulator alters, progress on a terminal.
#include "clirun.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

class TestCliTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readSavesWhatTheWindowWould();
    void progressOnlyOnATerminal();
    void writeBacksUpWritesAndVerifies();
    void writeWithoutBackupOrVerifyIsOneTransfer();
    void verifyFindsAlteredByte();
};

void TestCliTransfer::readSavesWhatTheWindowWould()
{
    ScratchDir dir;
    const QByteArray radio = RandomImage(1);
    dir.writeFile("radio.dat", radio);
    Sim sim({"--image", dir.file("radio.dat")});
    QVERIFY(!sim.port().isEmpty());

    const Run r = Cli(dir, {"read", sim.port(), "-o", "out.dat"});
    QCOMPARE(r.status, int(CliOk));
    QVERIFY2(r.errLines.isEmpty(), qPrintable(r.errLines.join('\n')));   // no progress off a terminal
    QVERIFY(r.out.contains("V1.05"));
    QCOMPARE(dir.readFile("out.dat").toHex(' '), Normalised(AsRead(radio)).toHex(' '));
    QCOMPARE(sim.connects(), 1);
}

void TestCliTransfer::progressOnlyOnATerminal()
{
    // Standard error on a pseudo-terminal: each phase of a write counts up
    // to 100 %. The test keeps its own slave descriptor so that nothing is
    // lost when the tool closes its side.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    const QString slavePath = QString::fromLocal8Bit(ptsname(master));
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    QVERIFY(slave >= 0);

    ScratchDir dir;
    dir.writeFile("plan.dat", RandomImage(10));
    Sim sim({});
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.setStandardErrorFile(slavePath);
    p.start(QStringLiteral(RUN_DIR "/radiocps-cli"), {"write", sim.port(), "plan.dat"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), int(CliOk));

    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    QByteArray shown;
    char buf[4096];
    for (ssize_t n; (n = ::read(master, buf, sizeof buf)) > 0;)
        shown.append(buf, int(n));
    ::close(slave);
    ::close(master);
    for (const char *phase : {"backup", "writing", "verifying"}) {
        QVERIFY2(shown.contains(QByteArray("\r") + QByteArray(phase).leftJustified(10, ' ') + "   5%"),
                 shown.constData());
        QVERIFY(shown.contains(QByteArray("\r") + QByteArray(phase).leftJustified(10, ' ') + " 100%"));
    }
    QVERIFY(shown.contains(" 96%"));
}

void TestCliTransfer::writeBacksUpWritesAndVerifies()
{
    ScratchDir dir;
    const QByteArray before = RandomImage(2);
    const QByteArray file = RandomImage(3);
    dir.writeFile("before.dat", before);
    dir.writeFile("plan.dat", file);
    Sim sim({"--image", dir.file("before.dat"), "--save", dir.file("after.dat")});

    const Run r = Cli(dir, {"write", sim.port(), "plan.dat"});
    QCOMPARE(r.status, int(CliOk));
    QVERIFY2(r.errLines.isEmpty(), qPrintable(r.errLines.join('\n')));
    QCOMPARE(sim.connects(), 3);   // backup read, write, verify read

    // The backup holds the radio's memory as it was, untouched.
    const QStringList backups = QDir(dir.file("backups")).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY2(QRegularExpression("^radio-\\d{8}-\\d{6}\\.dat$").match(backups.at(0)).hasMatch(),
             qPrintable(backups.at(0)));
    QVERIFY(r.out.contains("backups/" + backups.at(0)));
    QCOMPARE(dir.readFile("backups/" + backups.at(0)).toHex(' '), AsRead(before).toHex(' '));

    // The radio now holds what the window would have written for plan.dat.
    sim.stop();
    QCOMPARE(Window(dir.readFile("after.dat")).toHex(' '), Window(Normalised(file)).toHex(' '));
    QVERIFY(r.out.contains("verified"));

    // Every write adds its own backup.
    Sim again({"--image", dir.file("after.dat")});
    QCOMPARE(Cli(dir, {"write", again.port(), "plan.dat", "--no-verify"}).status, int(CliOk));
    QCOMPARE(QDir(dir.file("backups")).entryList(QDir::Files).size(), 2);
}

void TestCliTransfer::writeWithoutBackupOrVerifyIsOneTransfer()
{
    ScratchDir dir;
    const QByteArray file = RandomImage(4);
    dir.writeFile("plan.dat", file);
    Sim sim({"--save", dir.file("after.dat")});
    const Run r = Cli(dir, {"write", sim.port(), "plan.dat", "--no-backup", "--no-verify"});
    QCOMPARE(r.status, int(CliOk));
    QCOMPARE(sim.connects(), 1);
    QVERIFY(!QDir(dir.file("backups")).exists());
    sim.stop();
    QCOMPARE(Window(dir.readFile("after.dat")).toHex(' '), Window(Normalised(file)).toHex(' '));

    // --raw sends a backup back byte for byte, bytes of no page included.
    Sim restore({"--save", dir.file("restored.dat")});
    QCOMPARE(Cli(dir, {"write", restore.port(), "plan.dat", "--raw", "--no-backup"}).status, int(CliOk));
    QCOMPARE(Cli(dir, {"verify", restore.port(), "plan.dat", "--raw"}).status, int(CliOk));
    QCOMPARE(Cli(dir, {"verify", restore.port(), "plan.dat"}).status, int(CliVerifyFail));
    restore.stop();
    QCOMPARE(Window(dir.readFile("restored.dat")).toHex(' '), Window(file).toHex(' '));
}

void TestCliTransfer::verifyFindsAlteredByte()
{
    // The emulator stores what it is sent but reports image offset 300
    // (radio address 0x01A8) otherwise in block reads.
    ScratchDir dir;
    const QByteArray file = Normalised(RandomImage(5));
    dir.writeFile("plan.dat", file);
    const int altered = uint8_t(file.at(300)) ^ 0x5A;
    Sim sim({"--alter", QStringLiteral("300=%1").arg(altered)});

    const Run w = Cli(dir, {"write", sim.port(), "plan.dat", "--no-backup"});
    QCOMPARE(w.status, int(CliVerifyFail));
    QCOMPARE(w.errLines.size(), 1);
    QVERIFY2(w.errLines.at(0).contains(sim.port()) && w.errLines.at(0).contains("radio address 0x01A8"),
             qPrintable(w.errLines.at(0)));
    QVERIFY(w.errLines.at(0).contains(QString::asprintf("holds %02X, expected %02X", altered, uint8_t(file.at(300)))));

    const Run v = Cli(dir, {"verify", sim.port(), "plan.dat"});
    QCOMPARE(v.status, int(CliVerifyFail));
    QCOMPARE(v.errLines.size(), 1);
    QVERIFY(v.errLines.at(0).contains("radio address 0x01A8"));
}

QTEST_MAIN(TestCliTransfer)
#include "tst_cli_transfer.moc"
