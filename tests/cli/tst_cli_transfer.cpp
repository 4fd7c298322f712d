// radiocps-cli transfers against the emulated radio, on the fast link: raw and plain read, write with backup,
// verify and progress on a terminal, raw restore; a late answer after a stray byte; backups elsewhere.
#include "clirun.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

class TestCliTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readWriteBackupRestore()
    {
        ScratchDir dir;
        const QByteArray before = RandomImage(1), plan = RandomImage(2);
        dir.writeFile("before.dat", before);
        dir.writeFile("plan.dat", plan);
        SimProcess sim({"--image", dir.file("before.dat"), "--save", dir.file("after.dat")});

        // read --raw, with no settings file: the header sent and the window as read, unused bytes (0x009C) too.
        QVERIFY(uint8_t(before.at(0x20)) != 0xFF);
        const QByteArray asRead = "\x05\x6B\x01\x05" + before.mid(kHeaderSize);
        QVERIFY(QFile::rename(dir.file("datafile/sysset.ini"), dir.file("sysset.ini")));
        Run r = Cli(dir, {"read", sim.port, "-o", "raw.dat", "--raw", "--fast"});
        QVERIFY(QFile::rename(dir.file("sysset.ini"), dir.file("datafile/sysset.ini")));
        QCOMPARE(r.errLines, QStringList());
        QCOMPARE(r.out, "Read radio V1.05 on " + sim.port + " into raw.dat\n");
        QCOMPARE(dir.readFile("raw.dat").toHex(' '), asRead.toHex(' '));

        // read: what the window would save; no progress off a terminal.
        r = Cli(dir, {"read", sim.port, "-o", "out.dat", "--fast"});
        QVERIFY(r.status == int(Exit::Ok) && r.errLines.isEmpty());
        QCOMPARE(dir.readFile("out.dat").toHex(' '), RandomImage(1, true).toHex(' '));

        // write with stderr on a pseudo-terminal kept open: backup read, write, verify read, each to 100 %.
        const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);   // read once the tool has ended
        QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
        const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
        const mode_t umaskBefore = umask(0);   // backups are private whatever the umask
        r = Cli(dir, {"write", sim.port, "plan.dat", "--fast"}, Directly, QString::fromLocal8Bit(ptsname(master)));
        umask(umaskBefore);
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
        const QRegularExpressionMatch said =
                QRegularExpression("^Backup of the radio saved as (backups/radio-\\d{8}-\\d{6}\\.dat)\n"
                                   "Wrote plan.dat to (.*) and verified it\n$").match(r.out);
        QVERIFY2(said.hasMatch() && said.captured(2) == sim.port && Backups(dir).size() == 1, qPrintable(r.out));
        QCOMPARE(dir.readFile(said.captured(1)).toHex(' '), asRead.toHex(' '));
        const auto mode = [&dir](const QString &path) {   // octal
            struct stat st{};
            return stat(qPrintable(dir.file(path)), &st) ? QString() : QString::number(st.st_mode & 0777, 8);
        };
        QCOMPARE(QStringList({mode("backups"), mode(said.captured(1))}), QStringList({"700", "600"}));
        QCOMPARE(Window(dir.readFile("after.dat")), Window(RandomImage(2, true)));

        // --raw --no-verify: another backup, then the file byte for byte; verify --raw accepts it.
        QCOMPARE(Cli(dir, {"write", sim.port, "plan.dat", "--raw", "--no-verify", "--fast"}).status, int(Exit::Ok));
        QTRY_COMPARE(sim.connects(), 7);
        QCOMPARE(Backups(dir).size(), 2);
        QTRY_COMPARE(Window(dir.readFile("after.dat")), Window(plan));
        r = Cli(dir, {"verify", sim.port, "plan.dat", "--raw", "--fast"});
        QCOMPARE(r.out, "The radio on " + sim.port + " holds plan.dat\n");
    }

    void lateAnswerAfterStrayByte_data()
    {
        QTest::addColumn<QStringList>("args");   // $P: the port
        QTest::newRow("read") << QStringList{"read", "$P", "-o", "out.dat", "--raw"};
        QTest::newRow("write --fast") << QStringList{"write", "$P", "plan.dat", "--raw", "--no-backup", "--no-verify",
                                                     "--fast"};
    }

    // Block 2 meets a stray byte 300 ms after its request and is answered 700 ms after each of its
    // two tries: the transfer takes exactly the right bytes, none shifted to the next block.
    void lateAnswerAfterStrayByte()
    {
        QFETCH(QStringList, args);
        const bool write = args[0] == "write";
        ScratchDir dir;
        const QByteArray radio = RandomImage(5), plan = RandomImage(6);
        dir.writeFile("radio.dat", radio);
        dir.writeFile("plan.dat", plan);
        SimProcess sim({"--image", dir.file("radio.dat"), "--save", dir.file("after.dat"), "--delay", "700",
                        "--exchanges", "4-5", "--stray", "4:300"});
        const Run r = Cli(dir, args.replaceInStrings("$P", sim.port));
        QVERIFY2(r.status == int(Exit::Ok), qPrintable(r.errLines.join('\n')));
        QTRY_COMPARE(Window(dir.readFile(write ? "after.dat" : "out.dat")), Window(write ? plan : radio));
    }

    // Started outside a run folder, write finds the per-user settings, keeps its backup in the
    // per-user data folder and says where.
    void backupOutsideRunFolder()
    {
        ScratchDir dir;
        const QString user = dir.file("xdg/radiocps");
        QVERIFY(QDir().mkpath(user + "/datafile") && QDir().mkpath(dir.file("elsewhere"))
                && QFile::rename(dir.file("datafile/sysset.ini"), user + "/datafile/sysset.ini"));
        dir.writeFile("elsewhere/plan.dat", RandomImage(8));
        SimProcess sim;
        const Run r = Cli(dir, {"write", sim.port, "plan.dat", "--no-verify", "--fast"}, Directly, QString(),
                          dir.file("elsewhere"));
        QVERIFY2(r.status == int(Exit::Ok), qPrintable(r.errLines.join('\n')));
        const QStringList backups = QDir(user + "/backups").entryList(QDir::Files);
        QVERIFY2(backups.size() == 1 && r.out.contains(user + "/backups/" + backups.at(0)), qPrintable(r.out));
        QVERIFY(!QFileInfo::exists(dir.file("elsewhere/backups")));
    }
};

QTEST_MAIN(TestCliTransfer)
#include "tst_cli_transfer.moc"
