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
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
