#include "scratchdir.h"

#include <QtTest>

// A program run to a successful end: its standard output, else nothing.
static QByteArray Output(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0
            ? p.readAllStandardOutput() : QByteArray();
}

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    // Installs into a scratch prefix; starts the launcher twice.
    void installAndLaunch()
    {
        QTemporaryDir root;
        const QString prefix = root.filePath("prefix"), shared = prefix + "/share/radiocps/datafile/",
                      data = root.filePath("home/.local/share/radiocps/datafile/");
        qunsetenv("DESTDIR");
        QCOMPARE(QProcess::execute(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", prefix}), 0);
        const QImage icon(SOURCE_DIR "/resources/Mac.png");   // in the folder of its size
        QList<QStringList> files = GoldenRows("install-files.txt");
        files << QStringList{QString("share/icons/hicolor/%1x%2/apps/radiocps.png").arg(icon.width()).arg(icon.height()), "no"};
        for (const QStringList &f : files) {
            const QFileInfo info(prefix + "/" + f[0]);   // the help compiled
            QVERIFY2(info.size() > 0 && info.isExecutable() == (f[1] == "yes")
                     && ReadBytes(info.filePath()).startsWith(info.suffix() == "chm" ? "ITSF" : ""), qPrintable(f[0]));
        }
        const QByteArray entry = ReadBytes(prefix + "/share/applications/radiocps.desktop");
        QVERIFY(entry.contains("\nExec=" + prefix.toUtf8() + "/bin/radiocps %f\n") && entry.contains("\nIcon=radiocps\n"));

        // The program runs, offscreen, in a new per-user folder: data copied, help linked.
        qputenv("HOME", root.filePath("home").toUtf8());
        qunsetenv("XDG_DATA_HOME");
        QProcess first, later;
        first.start(prefix + "/bin/radiocps", QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(ReadBytes(data + "sysset.ini").contains("FirstRun=No"), 20000);   // its first-run save
        QCOMPARE(ReadBytes(data + "default.dat"), ReadBytes(shared + "default.dat"));
        QVERIFY(!QFileInfo(data + "default.dat").isSymLink() && QFileInfo(data + "default.dat").isWritable());
        QCOMPARE(QFileInfo(data + "help").symLinkTarget(), QFileInfo(shared + "help").absoluteFilePath());

        // A later start keeps the user's files (a changed byte) and brings back a lost one; it opens the file
        // named relative to where it was started, which then heads the recent files.
        QVERIFY(QFile::copy(data + "default.dat", root.filePath("mine.dat")));
        QByteArray mine = ReadBytes(data + "default.dat");
        mine[mine.size() - 1] = char(~mine[mine.size() - 1]);
        QVERIFY(WriteBytes(data + "default.dat", mine) && QFile::remove(data + "help_English.chm"));
        later.setWorkingDirectory(root.path());
        later.start(prefix + "/bin/radiocps", {"mine.dat"});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(data + "help_English.chm"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(ReadBytes(data + "sysset.ini").contains(
                "RecentFiles=" + QUrl::fromLocalFile(root.filePath("mine.dat")).toEncoded() + "\n"), 20000);
        QCOMPARE(ReadBytes(data + "default.dat"), mine);
    }

    // Builds the Debian package, checks its contents and runs its tool unpacked.
    void debianPackage()
    {
        QTemporaryDir root;
        QCOMPARE(QProcess::execute(CPACK_COMMAND, {"--config", BUILD_DIR "/CPackConfig.cmake", "-G", "DEB",
                                                   "-B", root.path()}), 0);
        const QStringList debs = QDir(root.path()).entryList({"radiocps_*.deb"});
        QCOMPARE(debs.size(), 1);
        const QString deb = root.filePath(debs.first()), usr = root.filePath("x/usr/");
        const QByteArray fields = Output("dpkg-deb", {"-f", deb, "Package", "Depends", "Recommends"}), listing = Output("dpkg-deb", {"-c", deb});
        QVERIFY2(fields.startsWith("Package: radiocps\n") && fields.contains("libqt5widgets5")
                 && fields.contains("\nRecommends: qttranslations5-l10n"), fields.constData());
        for (const QStringList &f : GoldenRows("package-files.txt"))
            QVERIFY2(listing.contains((" ./usr/" + f[0] + "\n").toUtf8()), qPrintable(f[0]));

        QCOMPARE(QProcess::execute("dpkg-deb", {"-x", deb, root.filePath("x")}), 0);
        QVERIFY(ReadBytes(usr + "share/applications/radiocps.desktop").contains("\nExec=/usr/bin/radiocps %f\n"));
        QCOMPARE(QProcess::execute("appstreamcli", {"validate", "--no-net",
                                                    usr + "share/metainfo/org.radiocps.radiocps.metainfo.xml"}), 0);
        QVERIFY(Output(usr + "bin/radiocps-cli", {"--help"}).contains("\n  import-csv "));
        // The version the package carries; the launcher asked for it makes no per-user folder.
        const QByteArray version = Output("dpkg-deb", {"-f", deb, "Version"});
        qputenv("HOME", root.filePath("home").toUtf8());
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(Output(usr + "bin/radiocps", {"--version"}) + Output(usr + "bin/radiocps-cli", {"--version"}),
                 "radiocps " + version + "radiocps-cli " + version);
        QVERIFY(!QFileInfo::exists(root.filePath("home/.local/share/radiocps")));
        // Bash completion: the commands, and a CSV plan where import-csv wants one.
        QVERIFY(WriteBytes(root.filePath("plan.csv"), "") && WriteBytes(root.filePath("plan.dat"), ""));
        QCOMPARE(Output("bash", {"-c", "cd '" + root.path() + "' && . '" + usr + "share/bash-completion/completions/"
                                 "radiocps-cli' && COMP_WORDS=(radiocps-cli import-csv p) COMP_CWORD=2; _radiocps_cli;"
                                 " echo ${COMPREPLY[@]}; COMP_WORDS=(radiocps-cli ex) COMP_CWORD=1; _radiocps_cli;"
                                 " echo ${COMPREPLY[@]}"}), QByteArray("plan.csv\nexport-csv\n"));
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
