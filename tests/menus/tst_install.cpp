#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;
    const QString m_prefix = m_root.filePath("prefix");
    QProcess m_launcher;

    // Starts the installed launcher offscreen, after ending the last one.
    void launch(const QString &home, const QString &dataHome = QString())
    {
        m_launcher.kill();
        m_launcher.waitForFinished();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", dataHome);   // empty: the default under HOME
        env.insert("QT_QPA_PLATFORM", "offscreen");
        m_launcher.setProcessEnvironment(env);
        m_launcher.setWorkingDirectory(m_root.path());
        m_launcher.start(m_prefix + "/bin/radiocps", QStringList());
    }

private slots:
    void initTestCase();
    void installedFiles();
    void launcherRunsInPerUserFolder();
};

void TestInstall::initTestCase()
{
    qunsetenv("DESTDIR");
    QCOMPARE(QProcess::execute(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", m_prefix}), 0);
}

void TestInstall::installedFiles()
{
    QStringList files = {"bin/radiocps", "libexec/radiocps/radiocps"};
#ifdef HAVE_SIM
    files << "bin/radiocps-sim";
#endif
    const int programs = files.size();
    for (const char *f : {"sysset.ini", "default.dat", "English.qm", "help_Chinese.chm", "help_English.chm"})
        files << QStringLiteral("share/radiocps/datafile/") + f;
    const QImage icon(SOURCE_DIR "/resources/Mac.png");   // in the folder of its size
    files << QString("share/icons/hicolor/%1x%2/apps/radiocps.png").arg(icon.width()).arg(icon.height())
          << "share/applications/radiocps.desktop" << "lib/udev/rules.d/60-radiocps.rules";
    for (int i = 0; i < files.size(); ++i) {
        const QFileInfo info(m_prefix + "/" + files.at(i));
        QVERIFY2(info.isFile() && info.size() > 0 && info.isExecutable() == (i < programs), qPrintable(files.at(i)));
    }
    const QByteArray entry = fileBytes(m_prefix + "/share/applications/radiocps.desktop");
    QVERIFY(entry.contains("\nExec=" + m_prefix.toUtf8() + "/bin/radiocps\n") && entry.contains("\nIcon=radiocps\n"));

    for (const QString lang : {"Chinese/zh", "English/en"}) {   // compiled help, a page per subject
        const QByteArray chm = fileBytes(QString("%1/share/radiocps/datafile/help_%2.chm").arg(m_prefix, lang.left(7)));
        QVERIFY2(chm.startsWith("ITSF"), qPrintable(lang));
        for (const char *page : {"index", "connect", "readwrite", "pages", "channels", "settings", "fmradio",
                                 "files", "emulator"})
            QVERIFY2(chm.contains(("/" + lang.right(2) + "/" + page + ".html").toLatin1()), page);
    }
}

void TestInstall::launcherRunsInPerUserFolder()
{
    const QString data = m_root.filePath("home/.local/share/radiocps/datafile/");
    const QString shared = m_prefix + "/share/radiocps/datafile/";
    // First start. The delivered settings ask for the first-run handling: the
    // program writes them back once it runs inside the folder.
    launch(m_root.filePath("home"));
    QTRY_VERIFY_WITH_TIMEOUT(fileBytes(data + "sysset.ini").contains("FirstRun=No"), 20000);
    QCOMPARE(fileBytes(data + "default.dat"), fileBytes(shared + "default.dat"));
    for (const char *f : {"default.dat", "sysset.ini"})   // the program writes these
        QVERIFY2(!QFileInfo(data + f).isSymLink() && QFileInfo(data + f).isWritable(), f);
    for (const char *f : {"English.qm", "help_Chinese.chm", "help_English.chm"})   // these follow the installation
        QCOMPARE(QFileInfo(data + f).canonicalFilePath(), QFileInfo(shared + f).canonicalFilePath());

    // A later start, through XDG_DATA_HOME this time, keeps the user's files.
    QByteArray image = fileBytes(data + "default.dat");
    image[100] = static_cast<char>(image.at(100) ^ 0x5A);
    QFile dat(data + "default.dat");
    QVERIFY(dat.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && dat.write(image) == image.size());
    QVERIFY(QFile::remove(data + "help_English.chm"));   // a lost file comes back
    launch(m_root.filePath("other"), m_root.filePath("home/.local/share"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(data + "help_English.chm"), 20000);
    QTest::qWait(2000);   // the program comes up on the files it was given
    QCOMPARE(m_launcher.state(), QProcess::Running);
    QCOMPARE(fileBytes(data + "default.dat"), image);
    QVERIFY(!QFileInfo::exists(m_root.filePath("other/.local/share/radiocps")));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
