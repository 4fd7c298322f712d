// radiocps-cli as a real process in a scratch run folder: the exit status
// and the one-line message of every failure, help, and the file commands
// end to end.
#include "clirun.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

class TestCliCommands : public QObject
{
    Q_OBJECT

private slots:
    void linkFailures_data();
    void linkFailures();
    void otherFailures_data();
    void otherFailures();
    void helpForEveryCommand_data();
    void helpForEveryCommand();
    void fileCommands();
};

void TestCliCommands::linkFailures_data()
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

void TestCliCommands::linkFailures()
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

void TestCliCommands::otherFailures_data()
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

void TestCliCommands::otherFailures()
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

void TestCliCommands::helpForEveryCommand_data()
{
    QTest::addColumn<QString>("command");
    for (const char *c : {"read", "write", "verify", "dump", "diff", "export-csv", "import-csv", "ports"})
        QTest::newRow(c) << QString(c);
}

void TestCliCommands::helpForEveryCommand()
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

void TestCliCommands::fileCommands()
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

QTEST_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
