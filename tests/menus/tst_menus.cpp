#include "menutest.h"

#include "app/platform.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QFileDialog>
#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QToolBar>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

using namespace menutest;

namespace {

const char kNoPort[] = "/dev/radiocps-no-such-port";

QStringList entryTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *a : actions)
        texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return texts;
}

QStringList platformPorts()
{
    Serial serial(nullptr, SERIALLINE_NORMAL);
    return serial.check_serial_ports();
}

QStringList entryTexts(const QMenu *menu)
{
    return entryTexts(menu->actions());
}

QStringList reversed(QStringList list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

QString checkedEntry(const QMenu *menu)
{
    QString checked;
    for (QAction *a : menu->actions())
        if (a->isChecked())
            checked += a->text();
    return checked;
}

QString savedPort()
{
    QSettings ini(QStringLiteral("datafile/sysset.ini"), QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    return ini.value(QStringLiteral("SYSSET/SerialNumber")).toString();
}

// Replaces a process seam for the life of the object.
template <typename F>
class SeamGuard
{
public:
    SeamGuard(F &seam, F replacement) : m_seam(seam), m_old(seam) { m_seam = std::move(replacement); }
    ~SeamGuard() { m_seam = m_old; }

private:
    F &m_seam;
    F m_old;
};

struct Started {
    QObject *parent = nullptr;
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

#ifndef Q_OS_WIN
// A pseudo-terminal like the emulator's: its slave side is a character
// device that the platform's port list does not show.
class Pty
{
public:
    Pty() : m_fd(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (m_fd >= 0 && grantpt(m_fd) == 0 && unlockpt(m_fd) == 0)
            m_path = QString::fromLocal8Bit(ptsname(m_fd));
    }
    ~Pty() { if (m_fd >= 0) ::close(m_fd); }
    QString path() const { return m_path; }

private:
    int m_fd;
    QString m_path;
};
#endif

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void entries_data();
    void entries();
    void toolBarButtonsTriggerTheirEntries();
    void dispatch_data();
    void dispatch();
    void newLoadsDefaultFile();

    void portMenuEntries_data();
    void portMenuEntries();
    void storedPort_data();
    void storedPort();
    void devicePathKeptAndPortChoiceSaved();
    void refreshDuringItsOwnSignal();

    void languageSwitch_data();
    void languageSwitch();
    void helpPicksFileByLanguage_data();
    void helpPicksFileByLanguage();
    void helpFilesAreBuilt();
};

void TestMenus::layout()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "Chinese"));
    MainWindow w;
    QStringList titles;
    for (QAction *m : w.menuBar()->actions())
        titles << m->menu()->title();
    QCOMPARE(titles, QStringList({"  文件  ", "  语言  ", "端口选择", "数据通讯", "  帮助  "}));
    QCOMPARE(entryTexts(menuAt(w, 0)), QStringList({"新建", "|", "打开", "|", "保存", "另存为"}));
    QCOMPARE(entryTexts(menuAt(w, 1)), QStringList({"中文", "英文"}));
    QCOMPARE(entryTexts(menuAt(w, 2)), reversed(platformPorts()) + QStringList({"|", "刷新端口"}));
    QCOMPARE(entryTexts(menuAt(w, 3)), QStringList({"读频通讯", "写频通讯"}));
    QCOMPARE(entryTexts(menuAt(w, 4)), QStringList({"帮助文档"}));
    for (QAction *port : menuAt(w, 2)->actions())
        if (!port->isSeparator() && port->text() != QStringLiteral("刷新端口"))
            QVERIFY(port->isCheckable() && port->icon().isNull() && port->shortcut().isEmpty());

    auto *bar = w.findChild<QToolBar *>("mainToolBar");
    QCOMPARE(entryTexts(bar->actions()),
             QStringList({"|", "新建", "打开", "保存", "另存为", "|", "读频通讯", "写频通讯"}));
    for (QAction *a : bar->actions())
        if (!a->isSeparator())
            QCOMPARE(a, action(w, a->text()));   // the menu's own action
}

void TestMenus::entries_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("keys");

    QTest::newRow("新建") << 0 << "新建" << "New.png" << "Ctrl+N";
    QTest::newRow("打开") << 0 << "打开" << "Open.png" << "Ctrl+O";
    QTest::newRow("保存") << 0 << "保存" << "Save.png" << "Ctrl+S";
    QTest::newRow("另存为") << 0 << "另存为" << "SaveAs.png" << "Ctrl+D";
    QTest::newRow("中文") << 1 << "中文" << "Chinese.png" << "Ctrl+C";
    QTest::newRow("英文") << 1 << "英文" << "English.png" << "Ctrl+E";
    QTest::newRow("刷新端口") << 2 << "刷新端口" << "Updata.png" << "Ctrl+U";
    QTest::newRow("读频通讯") << 3 << "读频通讯" << "Read.png" << "Ctrl+R";
    QTest::newRow("写频通讯") << 3 << "写频通讯" << "Write.png" << "Ctrl+W";
    QTest::newRow("帮助文档") << 4 << "帮助文档" << "Help.png" << "Ctrl+H";
}

// Icon, shortcut, and the shortcut pressed in the window reaches the entry.
void TestMenus::entries()
{
    QFETCH(int, menu);
    QFETCH(QString, text);
    QFETCH(QString, icon);
    QFETCH(QString, keys);

    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "Chinese"));
    SeamGuard<decltype(Platform::StartProcess)> help(
            Platform::StartProcess, [](QProcess *, const QString &, const QStringList &) {});
    MainWindow w;
    Read_Write_Port = kNoPort;
    QPointer<QAction> a = action(w, text);
    QVERIFY(a);
    QCOMPARE(a->parent(), menuAt(w, menu));
    QCOMPARE(a->shortcut(), QKeySequence(keys, QKeySequence::NativeText));
    const QImage expected(":/new/prefix1/" + icon);
    QVERIFY(!expected.isNull());
    QCOMPARE(a->icon().pixmap(expected.size()).toImage().convertToFormat(QImage::Format_ARGB32),
             expected.convertToFormat(QImage::Format_ARGB32));

    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ModalCloser closer;
    QSignalSpy spy(a.data(), &QAction::triggered);
    QTest::keySequence(&w, QKeySequence(keys, QKeySequence::NativeText));
    QCOMPARE(spy.count(), 1);
}

void TestMenus::toolBarButtonsTriggerTheirEntries()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "Chinese"));
    MainWindow w;
    Read_Write_Port = kNoPort;
    w.show();
    ModalCloser closer;
    auto *bar = w.findChild<QToolBar *>("mainToolBar");
    for (QAction *a : bar->actions()) {
        if (a->isSeparator())
            continue;
        QSignalSpy spy(a, &QAction::triggered);
        QTest::mouseClick(bar->widgetForAction(a), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }
}

void TestMenus::dispatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("dialogs");   // file dialogs: mode and caption
    QTest::addColumn<QStringList>("messages");  // message boxes: titles

    QTest::newRow("打开 asks for a file") << "打开" << QStringList{"open 打开文件"} << QStringList();
    QTest::newRow("另存为 asks for a name") << "另存为" << QStringList{"save 保存文件"} << QStringList();
    QTest::newRow("保存 after start refuses the default file")
            << "保存" << QStringList() << QStringList{"[文件保存操作]"};
    QTest::newRow("读频通讯 reads") << "读频通讯" << QStringList() << QStringList{"[读频操作]"};
    QTest::newRow("写频通讯 writes") << "写频通讯" << QStringList() << QStringList{"[写频操作]"};
}

void TestMenus::dispatch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, dialogs);
    QFETCH(QStringList, messages);

    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "Chinese"));
    const QByteArray image = fileBytes("datafile/default.dat");
    MainWindow w;
    Read_Write_Port = kNoPort;   // the operations end at the port
    QStringList seen;
    ModalCloser closer([&](QWidget *d) {
        if (auto *fd = qobject_cast<QFileDialog *>(d))
            seen << (fd->acceptMode() == QFileDialog::AcceptSave ? "save " : "open ") + fd->windowTitle();
        return false;
    });
    action(w, text)->trigger();
    QCOMPARE(seen, dialogs);
    QCOMPARE(closer.titles, messages);
    QCOMPARE(fileBytes("datafile/default.dat"), image);
}

void TestMenus::newLoadsDefaultFile()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "Chinese"));
    QVERIFY(QFile::copy("datafile/default.dat", "other.dat"));
    MainWindow w;
    QVERIFY(w.MenuActionOpenFile("./other.dat"));
    auto *name = w.findChild<QLabel *>("label_FileName");
    QCOMPARE(name->text(), QString("other.dat"));

    action(w, "新建")->trigger();
    QCOMPARE(MainWindowProbe::filePath(w), QString("./datafile/default.dat"));
    QCOMPARE(name->text(), QString("default.dat"));
}

void TestMenus::portMenuEntries_data()
{
    QTest::addColumn<QStringList>("platform");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("checked");

    const QStringList com = {"COM1", "COM3"};
    QTest::newRow("stored COM3 present: listed first, checked") << com << "COM3" << QStringList{"COM3", "COM1"} << 0;
    QTest::newRow("stored COM1 present: listed last, checked") << com << "COM1" << QStringList{"COM3", "COM1"} << 1;
    QTest::newRow("stored COM7 absent: nothing checked") << com << "COM7" << QStringList{"COM3", "COM1"} << -1;
    QTest::newRow("empty stored port: nothing checked") << com << "" << QStringList{"COM3", "COM1"} << -1;
    QTest::newRow("match is exact: com3 is not COM3") << com << "com3" << QStringList{"COM3", "COM1"} << -1;
    QTest::newRow("no ports") << QStringList() << "COM3" << QStringList() << -1;
    QTest::newRow("no ports, empty stored port") << QStringList() << "" << QStringList() << -1;
#ifndef Q_OS_WIN
    const QStringList tty = {"ttyS0", "ttyUSB0"};
    QTest::newRow("stored character device path is added, checked")
            << tty << "/dev/null" << QStringList{"ttyUSB0", "ttyS0", "/dev/null"} << 2;
    QTest::newRow("device path with no ports") << QStringList() << "/dev/null" << QStringList{"/dev/null"} << 0;
    QTest::newRow("missing device path is not added")
            << tty << "/dev/radiocps-no-such-port" << QStringList{"ttyUSB0", "ttyS0"} << -1;
    QTest::newRow("a folder is no port") << tty << "/dev" << QStringList{"ttyUSB0", "ttyS0"} << -1;
    QTest::newRow("a regular file is no port") << tty << "/etc/hostname" << QStringList{"ttyUSB0", "ttyS0"} << -1;
    QTest::newRow("bare name of a device is not a path") << tty << "null" << QStringList{"ttyUSB0", "ttyS0"} << -1;
#endif
}

void TestMenus::portMenuEntries()
{
    QFETCH(QStringList, platform);
    QFETCH(QString, stored);
    QFETCH(QStringList, entries);
    QFETCH(int, checked);

    const Platform::PortMenuEntries menu = Platform::PortMenuEntriesFor(platform, stored);
    QCOMPARE(menu.names, entries);
    QCOMPARE(menu.checked, checked);
}

void TestMenus::storedPort_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("present");
    const QStringList ports = platformPorts();
    QTest::newRow("stored port present: checked, nothing saved") << ports.value(0) << true;
    QTest::newRow("stored port gone: first entry chosen and saved") << "ttyRADIOCPS9" << false;
    QTest::newRow("no stored port (first run): first entry chosen and saved") << "" << false;
}

void TestMenus::storedPort()
{
    QFETCH(QString, stored);
    QFETCH(bool, present);
    const QStringList ports = platformPorts();
    if (ports.isEmpty())
        QSKIP("no serial port on this machine");
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings(stored, "Chinese"));
    const QByteArray before = fileBytes("datafile/sysset.ini");
    MainWindow w;
    const QString chosen = present ? stored : ports.last();   // the menu's first entry
    QCOMPARE(checkedEntry(menuAt(w, 2)), chosen);
    QCOMPARE(Read_Write_Port, chosen);
    QCOMPARE(savedPort(), chosen);
    QCOMPARE(fileBytes("datafile/sysset.ini") == before, present);
}

void TestMenus::devicePathKeptAndPortChoiceSaved()
{
#ifdef Q_OS_WIN
    QSKIP("device paths are a Unix matter");
#else
    const QStringList ports = platformPorts();
    if (ports.isEmpty())
        QSKIP("no serial port on this machine");
    Pty pty;
    QVERIFY(!pty.path().isEmpty());
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings(pty.path(), "Chinese"));
    const QByteArray before = fileBytes("datafile/sysset.ini");
    MainWindow w;
    QMenu *menu = menuAt(w, 2);
    QCOMPARE(entryTexts(menu), reversed(ports) + QStringList({pty.path(), "|", "刷新端口"}));
    QCOMPARE(checkedEntry(menu), pty.path());
    QCOMPARE(Read_Write_Port, pty.path());
    QCOMPARE(fileBytes("datafile/sysset.ini"), before);
    action(w, "刷新端口")->trigger();   // kept by a refresh too
    QCOMPARE(checkedEntry(menu), pty.path());

    action(w, ports.first())->trigger();
    QCOMPARE(checkedEntry(menu), ports.first());
    QCOMPARE(Read_Write_Port, ports.first());
    QCOMPARE(savedPort(), ports.first());
    action(w, ports.first())->trigger();   // the click unchecks; the choice stays
    QCOMPARE(checkedEntry(menu), ports.first());
#endif
}

void TestMenus::refreshDuringItsOwnSignal()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "Chinese"));
    MainWindow w;
    QMenu *menu = menuAt(w, 2);
    const QStringList before = entryTexts(menu);
    QList<QPointer<QAction>> old;
    for (QAction *a : menu->actions())
        old << a;
    QPointer<QAction> refresh = menu->actions().last();

    // Runs after the dispatch, inside the same delivery of triggered().
    bool deliveredToTheEnd = false;
    connect(refresh.data(), &QAction::triggered, [&] {
        deliveredToTheEnd = refresh && refresh->text() == QStringLiteral("刷新端口");
    });
    refresh->trigger();
    QVERIFY(deliveredToTheEnd);
    QCOMPARE(entryTexts(menu), before);
    for (const QPointer<QAction> &a : old)
        QVERIFY(!menu->actions().contains(a.data()));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QAction> &a : old)
        QVERIFY(a.isNull());

    // The new refresh entry works the same way.
    QSignalSpy spy(menu->actions().last(), &QAction::triggered);
    menu->actions().last()->trigger();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(entryTexts(menu), before);
}

void TestMenus::languageSwitch_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("saved");

    QTest::newRow("中文 while Chinese: nothing") << "Chinese" << "中文" << true << false << "Chinese";
    QTest::newRow("英文 while English: nothing") << "English" << "英文" << true << false << "English";
    QTest::newRow("英文, answer No: nothing") << "Chinese" << "英文" << false << true << "Chinese";
    QTest::newRow("英文, answer Yes: English and restart") << "Chinese" << "英文" << true << true << "English";
    QTest::newRow("中文, answer Yes: Chinese and restart") << "English" << "中文" << true << true << "Chinese";
    QTest::newRow("中文 with a stray language: asks") << "english" << "中文" << false << true << "english";
}

void TestMenus::languageSwitch()
{
    QFETCH(QString, current);
    QFETCH(QString, entry);
    QFETCH(bool, answerYes);
    QFETCH(bool, asks);
    QFETCH(QString, saved);

    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", current));
    QList<Started> started;
    QString languageOnDiskAtStart;
    SeamGuard<decltype(Platform::StartDetached)> seam(
            Platform::StartDetached, [&](const QString &program, const QStringList &args, const QString &wd) {
                QSettings ini(QStringLiteral("datafile/sysset.ini"), QSettings::IniFormat);
                languageOnDiskAtStart = ini.value(QStringLiteral("SYSSET/Language")).toString();
                started << Started{nullptr, program, args, wd};
                return true;
            });
    MainWindow w;
    w.show();   // closing the question box must not end the loop as the last window
    const QByteArray before = fileBytes("datafile/sysset.ini");

    ModalCloser closer([answerYes](QWidget *d) {
        auto *box = qobject_cast<QMessageBox *>(d);
        if (!box || !answerYes)
            return false;
        box->button(QMessageBox::Yes)->click();
        return true;
    });
    // The switch asks the event loop to end: run it, with a limit.
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    limit.start(asks && answerYes ? 10000 : 300);
    QAction *a = menuAt(w, 1)->actions().at(entry == QStringLiteral("中文") ? 0 : 1);
    QTimer::singleShot(0, &w, [a] { a->trigger(); });
    const int loop = QCoreApplication::exec();
    limit.stop();

    const bool restarts = asks && answerYes;
    QCOMPARE(loop, restarts ? 0 : 2);
    auto tr = [](const char *text) { return QCoreApplication::translate("MainWindow", text); };
    QCOMPARE(closer.titles, asks ? QStringList{tr("[语言切换操作]")} : QStringList());
    if (asks)
        QCOMPARE(closer.texts.first(), tr("切换语言需要重新启动程序,未保存的修改将会丢失。现在重新启动吗?"));
    QCOMPARE(MainWindowProbe::language(w), saved);
    if (restarts) {
        QCOMPARE(started.size(), 1);
        QCOMPARE(started.first().program, QCoreApplication::applicationFilePath());
        QCOMPARE(started.first().arguments, QStringList());
        QCOMPARE(QFileInfo(started.first().workingDirectory).canonicalFilePath(),
                 QFileInfo(dir.path()).canonicalFilePath());
        QCOMPARE(languageOnDiskAtStart, saved);
    } else {
        QVERIFY(started.isEmpty());
        QCOMPARE(fileBytes("datafile/sysset.ini"), before);
    }
}

void TestMenus::helpPicksFileByLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("Chinese") << "Chinese" << "datafile/help_Chinese.chm";
    QTest::newRow("English") << "English" << "datafile/help_English.chm";
    QTest::newRow("english (other case) counts as not English") << "english" << "datafile/help_Chinese.chm";
    QTest::newRow("no language") << "" << "datafile/help_Chinese.chm";
}

void TestMenus::helpPicksFileByLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, file);

    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", language));
    QList<Started> started;
    SeamGuard<decltype(Platform::StartProcess)> seam(
            Platform::StartProcess, [&](QProcess *p, const QString &program, const QStringList &args) {
                started << Started{p->parent(), program, args, QString()};
            });
    MainWindow w;
    QAction *help = nullptr;
    for (QAction *a : menuAt(w, 4)->actions())
        help = a;
    help->trigger();
    help->trigger();

    QCOMPARE(started.size(), 2);   // a new viewer each time
    QCOMPARE(started.first().parent, &w);
    QCOMPARE(w.findChildren<QProcess *>().size(), 2);
#ifdef Q_OS_WIN
    QCOMPARE(started.first().program, QString("hh.exe"));
    QCOMPARE(started.first().arguments, QStringList{"./" + file});
#else
    QCOMPARE(started.first().program, QString("xdg-open"));
    QCOMPARE(started.first().arguments, QStringList{dir.file(file)});
#endif
}

void TestMenus::helpFilesAreBuilt()
{
    for (const char *lang : {"Chinese/zh", "English/en"}) {
        const QStringList l = QString(lang).split('/');
        const QByteArray chm = fileBytes(QStringLiteral(RUN_DIR "/datafile/help_%1.chm").arg(l.at(0)));
        QVERIFY2(chm.startsWith("ITSF"), lang);   // compiled help
        for (const char *page : {"index", "connect", "readwrite", "pages", "channels", "settings", "fmradio",
                                 "files", "emulator"})   // named in its directory
            QVERIFY2(chm.contains(QStringLiteral("/%1/%2.html").arg(l.at(1), page).toLatin1()), page);
    }
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
