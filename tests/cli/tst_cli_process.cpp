// radiocps-cli as a real process in a scratch run folder, against the
// emulated radio on a pseudo-terminal: transfers, backups, verify, every
// exit status, and the file commands end to end.
#include "clistatus.h"
#include "cliops.h"

#include "data/radiodata.h"

#include "scratchdir.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kChanNum = 16;   // ChanNum of the delivered settings

// The emulated radio, with its trace of requests on standard error.
class Sim
{
public:
    explicit Sim(const QStringList &args)
    {
        m_proc.setProgram(QStringLiteral(RUN_DIR "/radiocps-sim"));
        m_proc.setArguments(QStringList{"--trace"} + args);
        m_proc.start();
        if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~Sim() { stop(); }
    QString port() const { return m_port; }
    void stop()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            m_proc.terminate();
            m_proc.waitForFinished(5000);
        }
        m_trace += m_proc.readAllStandardError();
    }
    // Connect requests received: one per transfer.
    int connects()
    {
        m_proc.setReadChannel(QProcess::StandardError);
        while (m_proc.waitForReadyRead(100))
            m_trace += m_proc.readAllStandardError();
        m_trace += m_proc.readAllStandardError();
        return m_trace.count("rx FEA5E0");
    }

private:
    QProcess m_proc;
    QString m_port;
    QByteArray m_trace;
};

struct Run {
    int status = -1;
    QString out;
    QStringList errLines;
};

Run Cli(const ScratchDir &dir, const QStringList &args)
{
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(RUN_DIR "/radiocps-cli"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.errLines = QString::fromLocal8Bit(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return r;
}

QByteArray RandomImage(quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray b(kImageSize, '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    b[0x0A] = 0;
    b[0x0B] = 5;   // five channels in use
    return b;
}

QByteArray Normalised(const QByteArray &bytes)
{
    RadioData_S in;
    std::memcpy(in.bytes(), bytes.constData(), kImageSize);
    const RadioData_S out = NormaliseImage(in, kChanNum);
    return QByteArray(reinterpret_cast<const char *>(out.bytes()), kImageSize);
}

QByteArray Window(const QByteArray &image)
{
    return image.mid(kHeaderSize);
}

// The image as the emulator hands it out: its handshake data in the header.
QByteArray AsRead(const QByteArray &image)
{
    return QByteArray("\x05\x6B\x01\x05", 4) + Window(image);
}

} // namespace

class TestCliProcess : public QObject
{
    Q_OBJECT

private slots:
    void readSavesWhatTheWindowWould();
    void progressOnlyOnATerminal();
    void writeBacksUpWritesAndVerifies();
    void writeWithoutBackupOrVerifyIsOneTransfer();
    void verifyFindsAlteredByte();
    void linkFailures_data();
    void linkFailures();
    void otherFailures_data();
    void otherFailures();
    void helpForEveryCommand_data();
    void helpForEveryCommand();
    void fileCommands();
};

void TestCliProcess::readSavesWhatTheWindowWould()
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

void TestCliProcess::progressOnlyOnATerminal()
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

void TestCliProcess::writeBacksUpWritesAndVerifies()
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

    // A second write in the same second keeps both backups.
    Sim again({"--image", dir.file("after.dat")});
    QCOMPARE(Cli(dir, {"write", again.port(), "plan.dat", "--no-verify"}).status, int(CliOk));
    QCOMPARE(QDir(dir.file("backups")).entryList(QDir::Files).size(), 2);
}

void TestCliProcess::writeWithoutBackupOrVerifyIsOneTransfer()
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

void TestCliProcess::verifyFindsAlteredByte()
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

void TestCliProcess::linkFailures_data()
{
    QTest::addColumn<QStringList>("simArgs");   // empty: no emulator, a port that does not exist
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("read: port that cannot be opened")
            << QStringList() << "read" << int(CliPortFail) << "the serial port could not be opened";
    QTest::newRow("write: port that cannot be opened")
            << QStringList() << "write" << int(CliPortFail) << "the serial port could not be opened";
    QTest::newRow("read: radio of another model")
            << QStringList{"--model", "0x1234"} << "read" << int(CliWrongModel) << "not model 6B05";
    QTest::newRow("write: radio of another model stops at the backup")
            << QStringList{"--model", "0x1234"} << "write" << int(CliWrongModel) << "backup read, nothing written";
    QTest::newRow("verify: radio that does not answer")
            << QStringList{"--silent"} << "verify" << int(CliLinkFail) << "no proper answer";
    QTest::newRow("read: replies with a wrong address field")
            << QStringList{"--bad-addr-from", "2"} << "read" << int(CliLinkFail) << "no proper answer";
}

void TestCliProcess::linkFailures()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, command);
    QFETCH(int, status);
    QFETCH(QString, message);
    ScratchDir dir;
    dir.writeFile("plan.dat", RandomImage(6));
    QScopedPointer<Sim> sim(simArgs.isEmpty() ? nullptr : new Sim(simArgs));
    const QString port = sim ? sim->port() : dir.file("no-such-tty");
    const QStringList args = command == "read" ? QStringList{"read", port, "-o", "out.dat"}
                                               : QStringList{command, port, "plan.dat"};
    const Run r = Cli(dir, args);
    QCOMPARE(r.status, status);
    QCOMPARE(r.errLines.size(), 1);
    QVERIFY2(r.errLines.at(0).contains(port) && r.errLines.at(0).contains(message), qPrintable(r.errLines.at(0)));
    QVERIFY(!QFile::exists(dir.file("out.dat")));
    QVERIFY(!QDir(dir.file("backups")).exists());
}

void TestCliProcess::otherFailures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");   // part of the one line on stderr
    QTest::newRow("no command") << QStringList() << int(CliUsage) << "";
    QTest::newRow("unknown command") << QStringList{"flash"} << int(CliUsage) << "flash: unknown command";
    QTest::newRow("read without -o") << QStringList{"read", "ttyS0"} << int(CliUsage) << "read: expects PORT";
    QTest::newRow("-o without a value") << QStringList{"read", "ttyS0", "-o"} << int(CliUsage)
                                        << "option --output needs a value";
    QTest::newRow("unknown option") << QStringList{"dump", "a.dat", "--bogus"} << int(CliUsage)
                                    << "dump: unknown option --bogus";
    QTest::newRow("write with one argument") << QStringList{"write", "ttyS0"} << int(CliUsage)
                                             << "write: expects PORT FILE.dat";
    QTest::newRow("diff with one file") << QStringList{"diff", "good.dat"} << int(CliUsage) << "diff: expects";
    QTest::newRow("dump of a missing file") << QStringList{"dump", "missing.dat"} << int(CliFileError)
                                            << "missing.dat: no such file";
    QTest::newRow("dump of a 451-byte file") << QStringList{"dump", "short.dat"} << int(CliFileError)
                                             << "short.dat: not a data file";
    QTest::newRow("write of a 451-byte file, no port opened")
            << QStringList{"write", "no-such-tty", "short.dat"} << int(CliFileError) << "short.dat: not a data file";
    QTest::newRow("read without the settings file")
            << QStringList{"read", "no-such-tty", "-o", "x.dat", "#nosettings"} << int(CliFileError)
            << "./datafile/sysset.ini: settings file not found";
    QTest::newRow("export into a folder that does not exist")
            << QStringList{"export-csv", "good.dat", "-o", "no/such/plan.csv"} << int(CliFileError)
            << "no/such/plan.csv: cannot write";
    QTest::newRow("import of a missing plan") << QStringList{"import-csv", "none.csv", "--into", "good.dat", "-o",
                                                             "new.dat"}
                                              << int(CliFileError) << "none.csv: no such file";
    QTest::newRow("import of a plan without Frequency")
            << QStringList{"import-csv", "nofreq.csv", "--into", "good.dat", "-o", "new.dat"} << int(CliFileError)
            << "nofreq.csv:1: the header has no Frequency column";
    QTest::newRow("import with refused rows") << QStringList{"import-csv", "bad.csv", "--into", "good.dat", "-o",
                                                             "new.dat"}
                                              << int(CliRowsRefused) << "bad.csv:3: row refused: Duplex off";
    QTest::newRow("diff of different files") << QStringList{"diff", "good.dat", "other.dat"} << int(CliDiffers)
                                             << "";
}

void TestCliProcess::otherFailures()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    ScratchDir dir;
    dir.writeFile("good.dat", Normalised(RandomImage(7)));
    dir.writeFile("other.dat", Normalised(RandomImage(8)));
    dir.writeFile("short.dat", QByteArray(kImageSize - 1, '\0'));
    dir.writeFile("nofreq.csv", "Location,Name\n1,a\n");
    dir.writeFile("bad.csv", "Location,Frequency,Duplex\n1,440,\n2,441,off\n");
    if (args.removeAll("#nosettings"))
        QFile::remove(dir.file("datafile/sysset.ini"));

    const Run r = Cli(dir, args);
    QCOMPARE(r.status, status);
    if (status == CliDiffers) {
        QVERIFY(r.errLines.isEmpty());
        QVERIFY(!r.out.isEmpty());
        return;
    }
    if (args.isEmpty()) {
        QVERIFY(r.errLines.join('\n').contains("Usage: radiocps-cli"));
        return;
    }
    QCOMPARE(r.errLines.size(), 1);
    QVERIFY2(r.errLines.at(0).startsWith("radiocps-cli: ") && r.errLines.at(0).contains(message),
             qPrintable(r.errLines.at(0)));
    if (status == CliRowsRefused)
        QCOMPARE(dir.readFile("new.dat").size(), kImageSize);
    else
        QVERIFY(!QFile::exists(dir.file("new.dat")));
}

void TestCliProcess::helpForEveryCommand_data()
{
    QTest::addColumn<QString>("command");
    for (const char *c : {"read", "write", "verify", "dump", "diff", "export-csv", "import-csv", "ports"})
        QTest::newRow(c) << QString(c);
}

void TestCliProcess::helpForEveryCommand()
{
    QFETCH(QString, command);
    ScratchDir dir;
    for (const QStringList &args : {QStringList{command, "--help"}, QStringList{"help", command}}) {
        const Run r = Cli(dir, args);
        QCOMPARE(r.status, int(CliOk));
        QVERIFY2(r.out.startsWith("Usage: radiocps-cli " + command), qPrintable(r.out));
        QVERIFY(r.errLines.isEmpty());
    }
    const Run general = Cli(dir, {"--help"});
    QCOMPARE(general.status, int(CliOk));
    QVERIFY(general.out.contains("  64  bad command line"));
}

void TestCliProcess::fileCommands()
{
    // The default data file's channels exported and imported into another
    // image: its channel region arrives, everything else of the base stays.
    ScratchDir dir;
    const QByteArray base = Normalised(RandomImage(9));
    dir.writeFile("base.dat", base);
    QCOMPARE(Cli(dir, {"export-csv", "datafile/default.dat", "-o", "plan.csv"}).status, int(CliOk));
    QVERIFY(dir.readFile("plan.csv").startsWith("Location,Name,Frequency,"));
    const Run imp = Cli(dir, {"import-csv", "plan.csv", "--into", "base.dat", "-o", "new.dat"});
    QCOMPARE(imp.status, int(CliOk));
    QVERIFY(imp.out.contains("Imported 8 channels"));

    const QByteArray def = dir.readFile("datafile/default.dat");
    const QByteArray now = dir.readFile("new.dat");
    QCOMPARE(now.size(), kImageSize);
    for (int o = kHeaderSize; o < kImageSize; ++o) {
        const bool channelRegion = o >= ImageOffset::Channels || o == 4 || o == 5 || o == 0x0A || o == 0x0B
                || (o >= ImageOffset::ChanScanMask && o < ImageOffset::ChanScanMask + 4);
        QVERIFY2(now.at(o) == (channelRegion ? def : base).at(o), qPrintable(QString::number(o, 16)));
    }

    // diff against the base lists channel fields and channel record bytes only.
    const Run d = Cli(dir, {"diff", "base.dat", "new.dat"});
    QCOMPARE(d.status, int(CliDiffers));
    const QRegularExpression channelLine("^(channel |0x0[0-9A-F]{3} channel )");
    for (const QString &line : d.out.split('\n', Qt::SkipEmptyParts))
        QVERIFY2(channelLine.match(line).hasMatch(), qPrintable(line));
    QCOMPARE(Cli(dir, {"diff", "new.dat", "new.dat"}).status, int(CliOk));

    // dump --json is one JSON document; the text dump has every section.
    const Run j = Cli(dir, {"dump", "new.dat", "--json"});
    QCOMPARE(j.status, int(CliOk));
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(j.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(root.value("channels").toObject().value("count").toInt(), 8);
    const Run t = Cli(dir, {"dump", "new.dat"});
    QCOMPARE(t.status, int(CliOk));
    for (const char *section : {"Header\n", "Channels\n", "Settings\n", "DTMF\n", "FM radio\n"})
        QVERIFY(t.out.contains(section));

    const Run ports = Cli(dir, {"ports"});
    QCOMPARE(ports.status, int(CliOk));
    QVERIFY(ports.errLines.isEmpty());
}

QTEST_MAIN(TestCliProcess)
#include "tst_cli_process.moc"
