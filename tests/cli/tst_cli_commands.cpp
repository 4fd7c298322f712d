// radiocps-cli as a real process in a scratch run folder: every failure's
// status and one-line message (a verify that finds a byte the emulator
// alters among them), writes the link breaks off, CSV imports with refused
// and snapped rows, help, and the file commands end to end.
#include "clirun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <QtTest>

class TestCliCommands : public QObject
{
    Q_OBJECT

private slots:
    void failures_data();
    void failures();
    void writeBrokenOff_data();
    void writeBrokenOff();
    void importCsv_data();
    void importCsv();
    void commandHelp_data();
    void commandHelp();
    void generalHelp();
    void fileCommands();
    void settingsSearch_data();
    void settingsSearch();
};

const QString noAnswer = "no proper answer from the radio (check the cable and that it is on)";

// What a failure's row sets up besides the files. Privileged: the tool may
// override file modes, as root may.
enum Setup { Plain, PortHeld, NoSettings, Privileged };

void TestCliCommands::failures_data()
{
    // The folder holds good.dat, short.dat (451 bytes), ro.dat (marked
    // read-only), locked/ (not writable) and no-access (a device no one may
    // open); the tool runs as an ordinary user, so modes apply to root too.
    // $P: the emulator's port, or with no emulator one that does not exist;
    // $A: good.dat's last byte (radio address 0x023F) altered, $H:
    // "<altered>, expected <byte>".
    QTest::addColumn<QStringList>("sim");   // the emulator's options; empty: none
    QTest::addColumn<int>("setup");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");   // the one line on stderr, after "radiocps-cli: "
    const auto row = [](const char *name, const QStringList &sim, const QStringList &args, Exit status,
                        const QString &message, Setup setup = Plain) {
        QTest::newRow(name) << sim << int(setup) << args << int(status) << message;
    };
    const QStringList read{"read", "$P", "-o", "out.dat"}, other{"--model", "0x1234"}, radio{"--image", "good.dat"};
    const QString unopened = ": read: the serial port could not be opened: ";
    const QString altered = "$P: verify failed: radio address 0x023F holds $H (channel 22 record byte 15)";
    row("port that does not exist: the system's reason", {}, read, Exit::PortFail,
        "$P" + unopened + "No such file or directory");
    row("port the user may not open: how to join dialout", {}, {"read", "./no-access", "-o", "out.dat"},
        Exit::PortFail, "./no-access" + unopened + "Permission denied; serial ports are for the dialout group: "
                                                   "sudo usermod -aG dialout $USER, then log out and in");
    row("port held by another program: no dialout advice", radio, read, Exit::PortFail,
        "$P" + unopened + "Permission error while locking the device", PortHeld);
    row("radio of another model", other, read, Exit::WrongModel, "$P: read: the radio is not model 6B05");
    row("write stops at the backup", other, {"write", "$P", "good.dat"}, Exit::WrongModel,
        "$P: backup read, nothing written: the radio is not model 6B05");
    row("no answer", {"--silent"}, {"verify", "$P", "good.dat"}, Exit::LinkFail, "$P: verify read: " + noAnswer);
    row("wrong address field", {"--bad-addr-from", "2"}, read, Exit::LinkFail, "$P: read: " + noAnswer);
    row("write: verify finds an altered byte", {"--alter", "451=$A"}, {"write", "$P", "good.dat", "--no-backup"},
        Exit::VerifyFail, altered);
    row("verify finds an altered byte", radio + QStringList{"--alter", "451=$A"}, {"verify", "$P", "good.dat"},
        Exit::VerifyFail, altered);
    row("unknown command", {}, {"flash"}, Exit::Usage, "flash: unknown command (see radiocps-cli --help)");
    row("read without -o", {}, {"read", "tty"}, Exit::Usage, "read: expects PORT -o FILE.dat");
    row("unknown option", {}, {"dump", "good.dat", "--bogus"}, Exit::Usage,
        "dump: unknown option --bogus (see radiocps-cli dump --help)");
    row("option without its value", {}, {"read", "tty", "-o"}, Exit::Usage,
        "read: option --output needs a value (see radiocps-cli read --help)");
    row("value for an option that takes none", {}, {"dump", "good.dat", "--json=1"}, Exit::Usage,
        "dump: unknown option --json=1 (see radiocps-cli dump --help)");
    row("missing file", {}, {"dump", "missing.dat"}, Exit::FileError, "missing.dat: no such file");
    row("451-byte file, before the port", {}, {"write", "$P", "short.dat"}, Exit::FileError,
        "short.dat: not a data file (must be exactly 452 bytes)");
    row("no settings file", {}, read, Exit::FileError,
        "./datafile/sysset.ini: settings file not found (not in the run folder, the per-user data folder or the "
        "installation; give --settings FILE)", NoSettings);
    row("CSV into a missing folder: the system's reason", {}, {"export-csv", "good.dat", "-o", "no/a.csv"},
        Exit::FileError, "no/a.csv: cannot write the file: No such file or directory");
    // A read from the radio whose data file cannot be written.
    const auto unwritable = [&](const char *name, const QString &file, const QString &reason, Setup setup = Plain) {
        row(name, radio, {"read", "$P", "-o", file}, Exit::FileError, file + ": cannot write the data file: " + reason,
            setup);
    };
    unwritable("data file into a missing folder: the system's reason", "no/out.dat", "No such file or directory");
    unwritable("data file into a folder the user may not write", "locked/out.dat", "Permission denied");
    unwritable("data file marked read-only: kept", "ro.dat", "the file is marked read-only");
    unwritable("data file marked read-only: kept from root too", "ro.dat", "the file is marked read-only", Privileged);
}

void TestCliCommands::failures()
{
    QFETCH(QStringList, sim);
    QFETCH(int, setup);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    ScratchDir dir;
    const QByteArray good = RandomImage(7, true);
    const int held = uint8_t(good.at(kImageSize - 1)), altered = held ^ 0x5A;
    dir.writeFile("good.dat", good);
    dir.writeFile("short.dat", QByteArray(kImageSize - 1, '\0'));
    dir.writeFile("ro.dat", good);
    dir.writeFile("no-access", "");
    QVERIFY(QDir(dir.path()).mkdir("locked"));
    QFile::setPermissions(dir.file("ro.dat"), QFile::ReadOwner);
    QFile::setPermissions(dir.file("no-access"), {});
    QFile::setPermissions(dir.file("locked"), QFile::ReadOwner | QFile::ExeOwner);
    if (setup == NoSettings)
        QFile::remove(dir.file("datafile/sysset.ini"));
    const QMap<QString, QByteArray> before = Files(dir);
    sim.replaceInStrings("$A", QString::number(altered));
    QScopedPointer<SimProcess> radio(sim.isEmpty() ? nullptr : new SimProcess(sim));
    const QString port = radio ? radio->port : dir.file("no-such-tty");
    QSerialPort holder(QFileInfo(port).canonicalFilePath());   // locks go by the device's own name
    QVERIFY(setup != PortHeld || holder.open(QIODevice::ReadWrite));

    const Run r = Cli(dir, args.replaceInStrings("$P", port), setup == Privileged ? Directly : AsUser);
    QCOMPARE(r.status, status);
    QCOMPARE(r.errLines, QStringList("radiocps-cli: " + message.replace("$P", port).replace(
                                             "$H", QString::asprintf("%02X, expected %02X", altered, held))));
    QCOMPARE(Files(dir), before);
}

void TestCliCommands::writeBrokenOff_data()
{
    // A write with backup is three transfers of 30 exchanges (connect, 28
    // blocks, end): backup read 1..30, write 31..60, verify read 61..90. The
    // emulator stops answering from an exchange on; it stores a written
    // block even when it leaves it unanswered. $P: the port, $B: the backup.
    QTest::addColumn<int>("silentFrom");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");    // the one line on stderr
    QTest::addColumn<int>("blocksWritten");  // the radio holds the plan's first blocks, then its old bytes
    QTest::newRow("read-back fails: written, not verified") << 61 << int(Exit::NotVerified)
            << "$P: written, not verified: verify read: " + noAnswer << 28;
    QTest::newRow("write breaks off mid-transfer: not claimed as written") << 45 << int(Exit::LinkFail)
            << "$P: write: " + noAnswer + "; the radio may hold part of plan.dat (write $B --raw puts back what it "
                                          "held)" << 14;
}

void TestCliCommands::writeBrokenOff()
{
    QFETCH(int, silentFrom);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(int, blocksWritten);
    ScratchDir dir;
    const QByteArray before = RandomImage(3), plan = RandomImage(4, true);
    dir.writeFile("before.dat", before);
    dir.writeFile("plan.dat", plan);
    SimProcess sim({"--image", dir.file("before.dat"), "--save", dir.file("after.dat"), "--silent", "--exchanges",
                    QString::number(silentFrom) + "-"});
    const Run r = Cli(dir, {"write", sim.port, "plan.dat"});
    sim.stop();   // saves what the radio holds

    QCOMPARE(r.status, status);
    const QStringList backups = Backups(dir);
    QCOMPARE(backups.size(), 1);
    const QString backup = "backups/" + backups.at(0);
    QCOMPARE(r.errLines, QStringList("radiocps-cli: " + message.replace("$P", sim.port).replace("$B", backup)));
    QCOMPARE(r.out, "Backup of the radio saved as " + backup + "\n");
    const int split = kHeaderSize + 16 * blocksWritten;
    QCOMPARE(Window(dir.readFile("after.dat")), Window(plan.left(split) + before.mid(split)));
}

void TestCliCommands::importCsv_data()
{
    // plan.csv into good.dat as new.dat, which holds "old" before.
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("errLines");   // after "radiocps-cli: plan.csv"
    QTest::addColumn<QString>("out");            // empty: new.dat not written
    const QString band = ": row refused: Frequency 480.000000 MHz is outside the band 400-470 MHz";
    const QString off = ": row refused: Duplex off (transmit disabled) cannot be held by the radio";
    QTest::newRow("plan without Frequency") << QByteArray("Location,Name\n1,a\n") << int(Exit::FileError)
            << QStringList{":1: the header has no Frequency column; nothing imported"} << "";
    QTest::newRow("every row refused: each by line, nothing written")
            << QByteArray("Location,Frequency,Duplex\n1,480,\n# comment\n2,441,off\n3,x,\n") << int(Exit::RowsRefused)
            << QStringList{":2" + band, ":4" + off, ":5: row refused: Frequency \"x\" is not a number",
                           ": no row imported (3 refused), new.dat not written"} << "";
    QTest::newRow("no rows: nothing written") << QByteArray("Location,Frequency\n") << int(Exit::RowsRefused)
            << QStringList{": no channel rows, new.dat not written"} << "";
    QTest::newRow("a row refused, a snapped one imported")
            << QByteArray("Location,Frequency,Duplex\n1,440.0031,\n2,441,off\n") << int(Exit::RowsRefused)
            << QStringList{":2: note: Frequency 440.0031 MHz snapped to 440.000000 MHz", ":3" + off}
            << "Imported 1 channels from plan.csv into new.dat (1 row refused)\n";
    QTest::newRow("snapped rows noted, receive and transmit; status 0")
            << QByteArray("Location,Frequency,Duplex,Offset\n1,446.00624,+,5\n2,441,,\n3,469.9999999\n") << int(Exit::Ok)
            << QStringList{":2: note: Frequency 446.00624 MHz snapped to 446.005000 MHz",
                           ":2: note: transmit frequency 451.00624 MHz snapped to 451.005000 MHz",
                           ":4: note: Frequency 469.9999999 MHz snapped to 469.995000 MHz"}
            << "Imported 3 channels from plan.csv into new.dat\n";
}

void TestCliCommands::importCsv()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, status);
    QFETCH(QStringList, errLines);
    QFETCH(QString, out);
    ScratchDir dir;
    dir.writeFile("good.dat", RandomImage(7, true));
    dir.writeFile("plan.csv", csv);
    dir.writeFile("new.dat", "old");
    const Run r = Cli(dir, {"import-csv", "plan.csv", "--into", "good.dat", "-o", "new.dat"});
    QCOMPARE(r.status, status);
    QCOMPARE(r.errLines, errLines.replaceInStrings(QRegularExpression("^"), "radiocps-cli: plan.csv"));
    QCOMPARE(r.out, out);
    QCOMPARE(dir.readFile("new.dat").size(), out.isEmpty() ? 3 : kImageSize);
}

void TestCliCommands::commandHelp_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("usage");        // after "Usage: radiocps-cli "
    QTest::addColumn<QStringList>("options");  // as listed, -h and --help besides
    const auto row = [](const char *command, const char *usage, const QStringList &options) {
        QTest::newRow(command) << command << usage << options;
    };
    row("read", "read [options] PORT -o FILE.dat", {"-o, --output <FILE.dat>", "--raw", "--fast"});
    row("write", "write [options] PORT FILE.dat", {"--no-backup", "--no-verify", "--raw", "--fast"});
    row("verify", "verify [options] PORT FILE.dat", {"--raw", "--fast"});
    row("dump", "dump [options] FILE.dat", {"--json"});
    row("diff", "diff [options] A.dat B.dat", {});
    row("export-csv", "export-csv [options] FILE.dat -o plan.csv", {"-o, --output <plan.csv>"});
    row("import-csv", "import-csv [options] plan.csv --into BASE.dat -o NEW.dat",
        {"--into <BASE.dat>", "-o, --output <NEW.dat>"});
    row("ports", "ports [options]", {});
}

// However asked for, a command's help begins with its usage and lists
// each option; the general help lists the command.
void TestCliCommands::commandHelp()
{
    QFETCH(QString, command);
    QFETCH(QString, usage);
    QFETCH(QStringList, options);
    ScratchDir dir;
    const Run r = Cli(dir, {command, "--help"});
    QVERIFY(r.status == int(Exit::Ok) && r.errLines.isEmpty());
    QCOMPARE(r.out.section('\n', 0, 0), "Usage: radiocps-cli " + usage);
    for (const QString &option : options << "-h, --help")
        QVERIFY2(r.out.contains("\n  " + option + "  "), qPrintable(option));
    for (const QStringList &args : {QStringList{command, "-h"}, QStringList{"help", command}, {"--help", command}})
        QCOMPARE(Cli(dir, args).out, r.out);
    QVERIFY(Cli(dir, {"help"}).out.contains("\n  " + command.leftJustified(11) + ' '));
}

// On standard output when asked for; without a command on standard error,
// a bad command line. Every exit status with what it means.
void TestCliCommands::generalHelp()
{
    ScratchDir dir;
    const Run asked = Cli(dir, {"--help"}), bare = Cli(dir, {});
    QVERIFY(asked.status == int(Exit::Ok) && asked.errLines.isEmpty());
    QVERIFY(asked.out.startsWith("Usage: radiocps-cli [options] COMMAND [ARGS]\n"));
    QVERIFY(bare.status == int(Exit::Usage) && bare.out.isEmpty());
    QCOMPARE(bare.errLines, asked.out.split('\n', Qt::SkipEmptyParts));
    for (const ExitMeaning &m : kExitMeanings)
        QVERIFY2(asked.out.contains(QStringLiteral("\n  %1%2\n").arg(QString::number(int(m.status)).leftJustified(4),
                                                                   QString(m.text).replace("\n", "\n      "))),
                 m.text);
}

void TestCliCommands::fileCommands()
{
    // The default data file's channels exported and imported into another
    // image: diff finds only channel lines against that image and none
    // against the default data file.
    ScratchDir dir;
    dir.writeFile("base.dat", RandomImage(9, true));
    QCOMPARE(Cli(dir, {"export-csv", "datafile/default.dat", "-o", "plan.csv"}).status, int(Exit::Ok));
    const Run imp = Cli(dir, {"import-csv", "plan.csv", "--into", "base.dat", "-o", "new.dat"});
    QCOMPARE(imp.out, "Imported 8 channels from plan.csv into new.dat\n");
    const QRegularExpression channel("^(0x0[0-9A-F]{3} )?channel ");
    for (const char *other : {"base.dat", "datafile/default.dat"}) {
        const Run d = Cli(dir, {"diff", other, "new.dat"});
        QVERIFY(d.status == int(Exit::Differs) && d.errLines.isEmpty());
        for (const QString &line : d.out.split('\n', Qt::SkipEmptyParts))
            QVERIFY2(channel.match(line).hasMatch() == (other[0] == 'b'), qPrintable(line));
    }
    QCOMPARE(Cli(dir, {"diff", "new.dat", "new.dat"}).status, int(Exit::Ok));
    const Run ports = Cli(dir, {"ports"});
    QVERIFY(ports.status == int(Exit::Ok) && ports.errLines.isEmpty());
}

void TestCliCommands::settingsSearch_data()
{
    QTest::addColumn<QStringList>("present");   // settings files that exist
    QTest::addColumn<bool>("inRunFolder");      // started in the folder holding datafile/sysset.ini
    QTest::addColumn<int>("chanNum");           // of the file used; 0: none found
    const QStringList all{"given", "run", "user", "installed"};
    QTest::newRow("--settings before all others") << all << true << 3;
    QTest::newRow("the run folder's before the per-user one") << QStringList(all.mid(1)) << true << 4;
    QTest::newRow("outside a run folder: the per-user one") << QStringList(all.mid(1)) << false << 5;
    QTest::newRow("no per-user one: the installed default") << QStringList{"run", "installed"} << false << 6;
    QTest::newRow("none: refused") << QStringList() << false << 0;
}

// The installed tool (a copy under prefix/bin) exports default.dat's eight
// channels, at most ChanNum of them, from where the settings are found:
// --settings 3, ./datafile 4, $XDG_DATA_HOME/radiocps/datafile 5,
// prefix/share/radiocps/datafile 6.
void TestCliCommands::settingsSearch()
{
    QFETCH(QStringList, present);
    QFETCH(bool, inRunFolder);
    QFETCH(int, chanNum);
    ScratchDir dir;
    const QMap<QString, QString> places{{"given", "given.ini"},
                                        {"user", "xdg/radiocps/datafile/sysset.ini"},
                                        {"installed", "prefix/share/radiocps/datafile/sysset.ini"},
                                        {"run", "datafile/sysset.ini"}};
    const QMap<QString, int> chanNums{{"given", 3}, {"run", 4}, {"user", 5}, {"installed", 6}};
    for (const char *place : {"given", "user", "installed"}) {
        dir.setSettings({{"ChanNum", QString::number(chanNums[place])}});
        if (present.contains(place))
            QVERIFY(QDir().mkpath(QFileInfo(dir.file(places[place])).path())
                    && QFile::copy(dir.file("datafile/sysset.ini"), dir.file(places[place])));
    }
    dir.setSettings({{"ChanNum", "4"}});
    if (!present.contains("run"))
        QVERIFY(QFile::remove(dir.file("datafile/sysset.ini")));
    QVERIFY(QDir().mkpath(dir.file("prefix/bin")) && QDir().mkpath(dir.file("elsewhere"))
            && QFile::copy(RUN_DIR "/radiocps-cli", dir.file("prefix/bin/radiocps-cli")));

    QStringList args{"export-csv", dir.file("datafile/default.dat"), "-o", "-"};
    if (present.contains("given"))
        args << "--settings" << dir.file("given.ini");
    const Run r = Cli(dir, args, Directly, QString(), dir.file("prefix/bin/radiocps-cli"),
                      inRunFolder ? dir.path() : dir.file("elsewhere"));
    QCOMPARE(r.status, int(chanNum ? Exit::Ok : Exit::FileError));
    QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts).size(), chanNum ? chanNum + 1 : 0);   // with the header
    if (!chanNum)
        QVERIFY(r.errLines.join('\n').contains("give --settings FILE"));
}

QTEST_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
