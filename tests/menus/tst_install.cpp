#include <QtTest>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

const char *const kDataFiles[] = {"sysset.ini", "default.dat", "English.qm", "help_Chinese.chm",
                                  "help_English.chm"};

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void desktopEntryStartsTheLauncher();
    void udevRulesIgnoreProgrammingCables_data();
    void udevRulesIgnoreProgrammingCables();
    void firstStartMakesUserFolder();
    void laterStartKeepsUserFiles();
    void dataHomeIsHonoured();

private:
    // Starts the installed launcher and waits until `ready` holds and at
    // least minMs have passed, or the limit passes; then ends it. True when
    // `ready` was met while the program was still running.
    bool runLauncher(const QProcessEnvironment &env, const std::function<bool()> &ready, int minMs = 0,
                     int limitMs = 20000);
    QProcessEnvironment environment(const QString &home, const QString &dataHome = QString()) const;

    QTemporaryDir m_root;
    QString m_prefix;
    QString m_shared;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_prefix = m_root.filePath(QStringLiteral("prefix"));
    m_shared = m_prefix + QStringLiteral("/share/radiocps/datafile");
    QProcess cmake;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DESTDIR"));
    cmake.setProcessEnvironment(env);
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), m_prefix});
    QVERIFY(cmake.waitForFinished(120000));
    QVERIFY2(cmake.exitCode() == 0, cmake.readAll().constData());
}

void TestInstall::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("launcher") << "bin/radiocps" << true;
    QTest::newRow("program") << "libexec/radiocps/radiocps" << true;
#ifdef HAVE_SIM
    QTest::newRow("emulator") << "bin/radiocps-sim" << true;
#endif
    for (const char *f : kDataFiles)
        QTest::newRow(f) << QStringLiteral("share/radiocps/datafile/") + f << false;
    QTest::newRow("desktop entry") << "share/applications/radiocps.desktop" << false;
    QTest::newRow("udev rules") << "lib/udev/rules.d/60-radiocps.rules" << false;
}

void TestInstall::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo info(m_prefix + "/" + path);
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void TestInstall::desktopEntryStartsTheLauncher()
{
    const QString entry = QString::fromUtf8(fileBytes(m_prefix + "/share/applications/radiocps.desktop"));
    const QStringList lines = entry.split(QLatin1Char('\n'));
    QVERIFY(lines.contains(QStringLiteral("[Desktop Entry]")));
    QVERIFY(lines.contains(QStringLiteral("Type=Application")));
    QVERIFY(lines.contains(QStringLiteral("Exec=") + m_prefix + QStringLiteral("/bin/radiocps")));
    QVERIFY(lines.contains(QStringLiteral("Icon=radiocps")));
    const QStringList icons = QDir(m_prefix + "/share/icons/hicolor").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(icons.size(), 1);
    const QImage icon(m_prefix + "/share/icons/hicolor/" + icons.first() + "/apps/radiocps.png");
    QVERIFY(!icon.isNull());
    QCOMPARE(icons.first(), QStringLiteral("%1x%2").arg(icon.width()).arg(icon.height()));
}

void TestInstall::udevRulesIgnoreProgrammingCables_data()
{
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("product");
    QTest::newRow("CH340") << "1a86" << "7523";
    QTest::newRow("PL2303") << "067b" << "2303";
    QTest::newRow("CP210x") << "10c4" << "ea60";
    QTest::newRow("FTDI FT232") << "0403" << "6001";
}

void TestInstall::udevRulesIgnoreProgrammingCables()
{
    QFETCH(QString, vendor);
    QFETCH(QString, product);
    const QString rules = QString::fromUtf8(fileBytes(m_prefix + "/lib/udev/rules.d/60-radiocps.rules"));
    const QString line = QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                                        "ENV{ID_MM_DEVICE_IGNORE}=\"1\"").arg(vendor, product);
    QVERIFY2(rules.split(QLatin1Char('\n')).contains(line), qPrintable(line));
}

QProcessEnvironment TestInstall::environment(const QString &home, const QString &dataHome) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    if (!dataHome.isEmpty())
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

bool TestInstall::runLauncher(const QProcessEnvironment &env, const std::function<bool()> &ready, int minMs,
                              int limitMs)
{
    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.setWorkingDirectory(m_root.path());
    launcher.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    launcher.start(m_prefix + QStringLiteral("/bin/radiocps"), QStringList());
    if (!launcher.waitForStarted(5000))
        return false;
    QElapsedTimer clock;
    clock.start();
    bool ok = false;
    while (clock.elapsed() < limitMs && launcher.state() == QProcess::Running) {
        if ((ok = ready()) && clock.elapsed() >= minMs)
            break;
        QTest::qWait(50);
    }
    const bool stillRunning = launcher.state() == QProcess::Running;
    launcher.kill();
    launcher.waitForFinished(5000);
    return ok && stillRunning;
}

void TestInstall::firstStartMakesUserFolder()
{
    const QString home = m_root.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    const QString data = home + QStringLiteral("/.local/share/radiocps/datafile");

    // The delivered settings ask for the first-run handling: the program
    // writes them back once it runs inside the folder.
    QVERIFY(runLauncher(environment(home), [&] {
        return fileBytes(data + "/sysset.ini").contains("FirstRun=No");
    }));

    for (const char *f : kDataFiles) {
        const QFileInfo copy(data + "/" + f);
        QVERIFY2(copy.exists(), f);
        QVERIFY2(QFileInfo(data + "/" + f).isReadable(), f);
    }
    QCOMPARE(fileBytes(data + "/default.dat"), fileBytes(m_shared + "/default.dat"));
    QVERIFY(!QFileInfo(data + "/default.dat").isSymLink());   // the program may write these
    QVERIFY(!QFileInfo(data + "/sysset.ini").isSymLink());
    QVERIFY(QFileInfo(data + "/sysset.ini").isWritable());
    // Read-only program data follows the installation.
    for (const char *f : {"English.qm", "help_Chinese.chm", "help_English.chm"})
        QCOMPARE(QFileInfo(data + "/" + f).canonicalFilePath(), QFileInfo(m_shared + "/" + f).canonicalFilePath());
}

void TestInstall::laterStartKeepsUserFiles()
{
    const QString home = m_root.filePath(QStringLiteral("home"));
    const QString data = home + QStringLiteral("/.local/share/radiocps/datafile");
    QVERIFY(QFileInfo::exists(data + "/sysset.ini"));   // left by the first start

    QByteArray settings = fileBytes(data + "/sysset.ini");
    settings.replace("SoftName=HT-6B05", "SoftName=MyRadio");
    QVERIFY(settings.contains("SoftName=MyRadio"));
    QVERIFY(writeBytes(data + "/sysset.ini", settings));
    QByteArray image = fileBytes(data + "/default.dat");
    image[100] = static_cast<char>(image.at(100) ^ 0x5A);
    QVERIFY(writeBytes(data + "/default.dat", image));
    QVERIFY(QFile::remove(data + "/help_English.chm"));   // a lost file comes back

    // Long enough for the program to come up on the files it was given.
    QVERIFY(runLauncher(environment(home), [&] { return QFileInfo::exists(data + "/help_English.chm"); }, 2000));
    QVERIFY(fileBytes(data + "/sysset.ini").contains("SoftName=MyRadio"));
    QCOMPARE(fileBytes(data + "/default.dat"), image);
}

void TestInstall::dataHomeIsHonoured()
{
    const QString home = m_root.filePath(QStringLiteral("home2"));
    const QString dataHome = m_root.filePath(QStringLiteral("xdg"));
    QVERIFY(QDir().mkpath(home));
    QVERIFY(runLauncher(environment(home, dataHome), [&] {
        return fileBytes(dataHome + "/radiocps/datafile/sysset.ini").contains("FirstRun=No");
    }));
    QVERIFY(!QFileInfo::exists(home + "/.local/share/radiocps"));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
