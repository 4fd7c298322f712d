#include "scratchdir.h"

#include <QtTest>

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    // Installs into a scratch prefix; starts the launcher twice, offscreen.
    void installAndLaunch()
    {
        QTemporaryDir root;
        const QString prefix = root.filePath("prefix"), shared = prefix + "/share/radiocps/datafile/";
        qunsetenv("DESTDIR");
        QCOMPARE(QProcess::execute(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", prefix}), 0);
        QStringList files = {"bin/radiocps", "libexec/radiocps/radiocps", "bin/radiocps-sim"};
        const int programs = files.size();
        const QImage icon(SOURCE_DIR "/resources/Mac.png");   // in the folder of its size
        files << QString("share/icons/hicolor/%1x%2/apps/radiocps.png").arg(icon.width()).arg(icon.height())
              << "share/applications/radiocps.desktop" << "lib/udev/rules.d/60-radiocps.rules";
        for (const char *f : {"sysset.ini", "default.dat", "English.qm", "help_Chinese.chm", "help_English.chm",
                              "help/en/index.html", "help/zh/index.html"})
            files << QStringLiteral("share/radiocps/datafile/") + f;
        for (int i = 0; i < files.size(); ++i) {   // programs executable, the rest not; the help compiled
            const QFileInfo info(prefix + "/" + files.at(i));
            QVERIFY2(info.size() > 0 && info.isExecutable() == (i < programs)
                     && ReadBytes(info.filePath()).startsWith(info.suffix() == "chm" ? "ITSF" : ""),
                     qPrintable(files.at(i)));
        }
        const QByteArray entry = ReadBytes(prefix + "/share/applications/radiocps.desktop");
        QVERIFY(entry.contains("\nExec=" + prefix.toUtf8() + "/bin/radiocps\n") && entry.contains("\nIcon=radiocps\n"));

        // The program runs inside a new per-user folder: its first-run save lands there.
        const QString data = root.filePath("home/.local/share/radiocps/datafile/");
        QProcess first, later;
        qputenv("HOME", root.filePath("home").toUtf8());
        qunsetenv("XDG_DATA_HOME");
        first.start(prefix + "/bin/radiocps", QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(ReadBytes(data + "sysset.ini").contains("FirstRun=No"), 20000);
        QCOMPARE(ReadBytes(data + "default.dat"), ReadBytes(shared + "default.dat"));
        QVERIFY(!QFileInfo(data + "default.dat").isSymLink() && QFileInfo(data + "default.dat").isWritable());
        QCOMPARE(QFileInfo(data + "help").symLinkTarget(), QFileInfo(shared + "help").absoluteFilePath());

        // A later start keeps the user's files and brings back a lost one.
        QFile dat(data + "default.dat");
        QVERIFY(dat.open(QIODevice::Append | QIODevice::Unbuffered) && dat.write("mine") == 4);
        QVERIFY(QFile::remove(data + "help_English.chm"));
        later.start(prefix + "/bin/radiocps", QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(data + "help_English.chm"), 20000);
        QCOMPARE(ReadBytes(data + "default.dat"), ReadBytes(shared + "default.dat") + "mine");
    }

    // Builds the Debian package, checks its contents and runs what it unpacks to.
    void debianPackage()
    {
        QTemporaryDir root;
        QCOMPARE(QProcess::execute(CPACK_COMMAND, {"--config", BUILD_DIR "/CPackConfig.cmake", "-G", "DEB",
                                                   "-B", root.path()}), 0);
        const QStringList debs = QDir(root.path()).entryList({"radiocps_*.deb"});
        QCOMPARE(debs.size(), 1);
        const QString deb = root.filePath(debs.first());
        QProcess dpkg;
        dpkg.start("dpkg-deb", {"-f", deb, "Package", "Depends"});
        QVERIFY(dpkg.waitForFinished() && dpkg.exitCode() == 0);
        const QByteArray fields = dpkg.readAllStandardOutput();   // dependencies found from the binaries
        QVERIFY2(fields.startsWith("Package: radiocps\n") && fields.contains("libqt5widgets5"), fields.constData());
        dpkg.start("dpkg-deb", {"-c", deb});
        QVERIFY(dpkg.waitForFinished() && dpkg.exitCode() == 0);
        const QByteArray listing = dpkg.readAllStandardOutput();
        for (const char *f : {"bin/radiocps", "bin/radiocps-cli", "bin/radiocps-sim", "libexec/radiocps/radiocps",
                              "share/radiocps/datafile/default.dat", "share/applications/radiocps.desktop",
                              "lib/udev/rules.d/60-radiocps.rules", "share/man/man1/radiocps.1.gz",
                              "share/man/man1/radiocps-cli.1.gz", "share/doc/radiocps/copyright"})
            QVERIFY2(listing.contains(QByteArray(" ./usr/") + f + "\n"), f);

        const QString usr = root.filePath("x/usr/");
        QCOMPARE(QProcess::execute("dpkg-deb", {"-x", deb, root.filePath("x")}), 0);
        QVERIFY(ReadBytes(usr + "share/applications/radiocps.desktop").contains("\nExec=/usr/bin/radiocps\n"));
        QProcess cli;
        cli.start(usr + "bin/radiocps-cli", {"--help"});
        QVERIFY(cli.waitForFinished() && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0);
        const QByteArray help = cli.readAllStandardOutput();
        for (const char *c : {"read", "write", "verify", "dump", "diff", "export-csv", "import-csv", "ports"})
            QVERIFY2(help.contains(QByteArray("\n  ") + c + " "), c);

        // The unpacked launcher finds its program and data beside itself; the window stays up.
        qputenv("HOME", root.filePath("home").toUtf8());
        qunsetenv("XDG_DATA_HOME");
        QProcess window;
        window.start(usr + "bin/radiocps", QStringList());
        QVERIFY(window.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(ReadBytes(root.filePath("home/.local/share/radiocps/datafile/sysset.ini"))
                                         .contains("FirstRun=No"), 20000);
        QVERIFY(!window.waitForFinished(1000));
        window.terminate();
        QVERIFY(window.waitForFinished());
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
