#include "app/mainwindow.h"
#include "app/platform.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const char kNoPort[] = "/dev/radiocps-no-such-port";

// A scratch working folder whose settings name this port and language.
struct Setup {
    ScratchDir dir;
    Setup(const QString &port, const QString &language)
    {
        dir.writeFile("datafile/sysset.ini", QTextCodec::codecForName("GB2312")->fromUnicode(QStringLiteral(
                "[SYSSET]\nSerialNumber=%1\nLanguage=%2\nFirstRun=No\nStartBand=400\nEndBand=470\n"
                "Version=1.01\nFilePathDef=./datafile/default.dat\nChanNum=16\nChanLimit=1\n"
                "BandRangText=400MHz~470MHz\nLastMacModel=6B05\nSoftName=HT-6B05\n"
                "ChCompName=开源对讲机工具组\nEnCompName=Open Radio Tools\n").arg(port, language)));
    }
    QByteArray settings() const { return dir.readFile("datafile/sysset.ini"); }
};

QString saved(const char *key)
{
    return QSettings("datafile/sysset.ini", QSettings::IniFormat).value(QStringLiteral("SYSSET/") + key).toString();
}

QMenu *menuAt(MainWindow &w, int i) { return w.menuBar()->actions().at(i)->menu(); }

// The entries' texts, "|" for a separator; or the checked ones only.
QString texts(const QList<QAction *> &actions, bool checkedOnly = false)
{
    QStringList t;
    for (QAction *a : actions)
        if (!checkedOnly || a->isChecked())
            t << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return t.join(',');
}

// The machine's ports as the port menu lists them.
QStringList portEntries()
{
    QStringList ports = Serial(nullptr, SERIALLINE_NORMAL).check_serial_ports();
    std::reverse(ports.begin(), ports.end());
    return ports;
}

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT
    QStringList m_started;   // processes started through the platform seams

private slots:
    void initTestCase();
    void init() { m_started.clear(); }
    void layout();
    void entries_data();
    void entries();
    void portMenuEntries_data();
    void portMenuEntries();
    void portMenu_data();
    void portMenu();
    void languageSwitch_data();
    void languageSwitch();
    void helpPicksFileByLanguage();
    void everyTranslatedTextHasEnglish();
    void englishWindowShowsNoChinese();
};

void TestMenus::initTestCase()
{
    Platform::StartProcess = [this](QProcess *, const QString &program, const QStringList &args) {
        m_started << program + ' ' + args.join(' ');
    };
    Platform::StartDetached = [this](const QString &program, const QStringList &args, const QString &wd) {
        m_started << program + ' ' + args.join(' ') + " in " + QFileInfo(wd).canonicalFilePath() + " as "
                        + saved("Language");
        return true;
    };
}

void TestMenus::layout()
{
    Setup s("ttyS0", "Chinese");
    MainWindow w;
    QStringList bar;
    for (QAction *m : w.menuBar()->actions())
        bar << m->menu()->title() + ':' + texts(m->menu()->actions());
    QCOMPARE(bar, QStringList({"  文件  :新建,|,打开,|,保存,另存为", "  语言  :中文,英文",
                               "端口选择:" + (portEntries() << "|" << "刷新端口").join(','),
                               "数据通讯:读频通讯,写频通讯", "  帮助  :帮助文档"}));
    QCOMPARE(texts(w.findChild<QToolBar *>("mainToolBar")->actions()), "|,新建,打开,保存,另存为,|,读频通讯,写频通讯");
}

void TestMenus::entries_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("effect");   // file dialogs and message boxes shown, then the file shown
    QTest::newRow("新建") << "New.png" << "Ctrl+N" << "default.dat";
    QTest::newRow("打开") << "Open.png" << "Ctrl+O" << "open 打开文件,other.dat";
    QTest::newRow("保存") << "Save.png" << "Ctrl+S" << "[文件保存操作],other.dat";
    QTest::newRow("另存为") << "SaveAs.png" << "Ctrl+D" << "save 保存文件,other.dat";
    QTest::newRow("中文") << "Chinese.png" << "Ctrl+C" << "other.dat";
    QTest::newRow("英文") << "English.png" << "Ctrl+E" << "[语言切换操作],other.dat";
    QTest::newRow("刷新端口") << "Updata.png" << "Ctrl+U" << "other.dat";
    QTest::newRow("读频通讯") << "Read.png" << "Ctrl+R" << "[读频操作],other.dat";
    QTest::newRow("写频通讯") << "Write.png" << "Ctrl+W" << "[写频操作],other.dat";
    QTest::newRow("帮助文档") << "Help.png" << "Ctrl+H" << "other.dat";
}

// Icon, shortcut, what the shortcut does; the tool bar button is the same action.
void TestMenus::entries()
{
    QFETCH(QString, icon);
    QFETCH(QString, keys);
    QFETCH(QString, effect);
    Setup s("ttyS0", "Chinese");
    QVERIFY(QFile::copy("datafile/default.dat", "other.dat"));
    MainWindow w;
    QVERIFY(w.MenuActionOpenFile("./other.dat"));
    Read_Write_Port = kNoPort;   // the link operations end at the port
    QAction *a = nullptr;
    for (QAction *m : w.menuBar()->actions())
        for (QAction *e : m->menu()->actions())
            a = e->text() == QTest::currentDataTag() ? e : a;
    QVERIFY(a);
    QCOMPARE(a->shortcut(), QKeySequence(keys));
    QVERIFY(!a->icon().isNull());
    QCOMPARE(a->icon().pixmap(16).toImage(), QIcon(":/new/prefix1/" + icon).pixmap(16).toImage());

    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList seen;
    ModalCloser closer([&](QWidget *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        seen << (fd ? fd->acceptMode() == QFileDialog::AcceptSave ? "save " : "open " : "") + d->windowTitle();
        return false;
    });
    QSignalSpy spy(a, &QAction::triggered);
    QTest::keySequence(&w, QKeySequence(keys));
    QCOMPARE((seen << w.findChild<QLabel *>("label_FileName")->text()).join(','), effect);
    QWidget *button = w.findChild<QToolBar *>("mainToolBar")->widgetForAction(a);   // tool bar entries
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(spy.count(), button ? 2 : 1);
}

void TestMenus::portMenuEntries_data()
{
    QTest::addColumn<QStringList>("platform");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("checked");
    const QStringList com = {"COM1", "COM3"}, rev = {"COM3", "COM1"};
    QTest::newRow("stored port listed first, checked") << com << "COM3" << rev << 0;
    QTest::newRow("stored port listed last, checked") << com << "COM1" << rev << 1;
    QTest::newRow("stored port absent") << com << "COM7" << rev << -1;
    QTest::newRow("match is exact: com3 is not COM3") << com << "com3" << rev << -1;
    QTest::newRow("no ports") << QStringList() << "COM3" << QStringList() << -1;
    QTest::newRow("character device path added, checked") << com << "/dev/null" << rev + QStringList{"/dev/null"} << 2;
    QTest::newRow("missing path not added") << com << kNoPort << rev << -1;
    QTest::newRow("a folder is no port") << com << "/dev" << rev << -1;
    QTest::newRow("a regular file is no port") << com << "/etc/hostname" << rev << -1;
    QTest::newRow("bare name of a device is no path") << com << "null" << rev << -1;
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

void TestMenus::portMenu_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("device path present: listed last, checked, nothing saved") << "/dev/null";
    QTest::newRow("stored port gone: first entry chosen and saved") << "ttyRADIOCPS9";
    QTest::newRow("no stored port: first entry chosen and saved") << "";
}

// The stored port at start; a refresh while its own triggered() is being
// delivered; a port chosen.
void TestMenus::portMenu()
{
    QFETCH(QString, stored);
    const bool present = stored.startsWith('/');
    const QStringList listed = portEntries() + (present ? QStringList{stored} : QStringList());
    const QString entries = (QStringList(listed) << "|" << "刷新端口").join(',');
    const QString chosen = present ? stored : listed.value(0, stored);
    const QString checked = listed.contains(chosen) ? chosen : QString();
    Setup s(stored, "Chinese");
    const QByteArray before = s.settings();
    MainWindow w;
    QMenu *menu = menuAt(w, 2);
    QCOMPARE(texts(menu->actions()), entries);
    QCOMPARE(texts(menu->actions(), true), checked);
    QCOMPARE(Read_Write_Port, chosen);
    QCOMPARE(saved("SerialNumber"), chosen);
    QCOMPARE(s.settings() == before, chosen == stored);

    QList<QPointer<QAction>> old;
    for (QAction *a : menu->actions())
        old << a;
    bool delivered = false;   // runs after the dispatch, in the same delivery
    connect(old.last().data(), &QAction::triggered, [&] { delivered = old.last() && old.last()->text() == "刷新端口"; });
    old.last()->trigger();
    QVERIFY(delivered);
    QCOMPARE(texts(menu->actions()), entries);
    QCOMPARE(texts(menu->actions(), true), checked);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(std::all_of(old.begin(), old.end(), [](const QPointer<QAction> &a) { return a.isNull(); }));

    s.dir.writeFile("datafile/sysset.ini", "");   // a choice saves the settings
    QAction *first = menu->actions().first();
    first->trigger();
    first->trigger();   // the second click unchecks; the choice stays
    QCOMPARE(texts(menu->actions(), true), listed.value(0));
    QCOMPARE(saved("SerialNumber"), listed.value(0));
}

void TestMenus::languageSwitch_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("entry");   // 0 中文, 1 英文
    QTest::addColumn<bool>("yes");
    QTest::newRow("中文 while Chinese: nothing") << "Chinese" << 0 << true;
    QTest::newRow("英文 while English: nothing") << "English" << 1 << true;
    QTest::newRow("英文, No: nothing") << "Chinese" << 1 << false;
    QTest::newRow("英文, Yes: saves English, restarts") << "Chinese" << 1 << true;
    QTest::newRow("中文, Yes: saves Chinese, restarts") << "English" << 0 << true;
}

void TestMenus::languageSwitch()
{
    QFETCH(QString, current);
    QFETCH(int, entry);
    QFETCH(bool, yes);
    const QString target = entry ? "English" : "Chinese";
    const bool asks = current != target, restarts = asks && yes;
    Setup s("ttyS0", current);
    MainWindow w;
    w.show();   // closing the question box must not end the loop as the last window
    const QByteArray before = s.settings();
    ModalCloser closer([yes](QWidget *d) {
        if (yes)   // closing the box answers No
            static_cast<QMessageBox *>(d)->button(QMessageBox::Yes)->click();
        return yes;
    });
    QObject limit;   // the switch ends the event loop: run it, with a limit
    QTimer::singleShot(restarts ? 10000 : 300, &limit, [] { QCoreApplication::exit(2); });
    QAction *a = menuAt(w, 1)->actions().at(entry);   // texts follow the language
    QTimer::singleShot(0, a, [a] { a->trigger(); });
    QCOMPARE(QCoreApplication::exec(), restarts ? 0 : 2);

    auto tr = [](const char *text) { return QCoreApplication::translate("MainWindow", text); };
    const QStringList question = {tr("[语言切换操作]"), tr("切换语言需要重新启动程序,未保存的修改将会丢失。现在重新启动吗?")};
    QCOMPARE(closer.titles + closer.texts, asks ? question : QStringList());
    const QString restart = QCoreApplication::applicationFilePath() + "  in "
            + QFileInfo(s.dir.path()).canonicalFilePath() + " as " + target;
    QCOMPARE(m_started, restarts ? QStringList{restart} : QStringList());
    if (!restarts)
        QCOMPARE(s.settings(), before);
}

void TestMenus::helpPicksFileByLanguage()
{
    const QStringList cases[] = {{"Chinese", "help_Chinese.chm"}, {"English", "help_English.chm"},
                                 {"english", "help_Chinese.chm"}};   // only "English" is English
    for (const QStringList &c : cases) {
        Setup s("ttyS0", c.at(0));
        MainWindow w;
        m_started.clear();
        QAction *help = menuAt(w, 4)->actions().first();
        help->trigger();
        help->trigger();   // a new viewer each time
        const QString viewer = "xdg-open " + s.dir.file("datafile/" + c.at(1));
        QCOMPARE(m_started, QStringList({viewer, viewer}));
    }
}

// Merged into the English catalogue, every text of the sources comes out finished.
void TestMenus::everyTranslatedTextHasEnglish()
{
    QTemporaryDir tmp;
    const QString ts = tmp.filePath("all.ts");
    QStringList args;
    for (const QFileInfo &f : QDir(SOURCE_DIR "/i18n").entryInfoList({"*.ts"}))
        args << f.filePath();
    QCOMPARE(QProcess::execute(LCONVERT, args << "-o" << ts), 0);
    args = QStringList{"-locations", "none", "-no-obsolete", "-silent"};
    for (const char *dir : {"app", "data", "channels", "settings", "link", "forms"})
        args << QStringLiteral(SOURCE_DIR "/") + dir;
    QCOMPARE(QProcess::execute(LUPDATE, args << "-ts" << ts), 0);

    QFile f(ts);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY(text.contains("<source>新建</source>"));   // the scan saw the sources
    const QRegularExpression unfinished("<source>([^<]*)</source>(?:\\s*<(?!translation)\\w+>[^<]*</\\w+>)*"
                                        "\\s*<translation(?: type=\"unfinished\"|/>|>\\s*</translation>)");
    QStringList missing;
    for (auto it = unfinished.globalMatch(text); it.hasNext();)
        missing << it.next().captured(1);
    QVERIFY2(missing.isEmpty(), qPrintable("no English: " + missing.join("; ")));
}

void TestMenus::englishWindowShowsNoChinese()
{
    Setup s("ttyS0", "English");
    MainWindow w;
    w.show();
    const QRegularExpression chinese("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{F900}-\\x{FAFF}\\x{FF00}-\\x{FFEF}]");
    QStringList found;
    auto check = [&](const QObject *o, const QString &text) {
        if (text.contains(chinese))
            found << QStringLiteral("%1 %2: %3").arg(o->metaObject()->className(), o->objectName(), text);
    };
    QList<QObject *> objects = w.findChildren<QObject *>();   // widgets and actions, shown or not
    for (QObject *o : objects << &w) {
        for (auto p : {"text", "title", "toolTip", "placeholderText", "windowTitle", "format", "prefix", "suffix"})
            check(o, o->property(p).toString());
        auto *v = qobject_cast<QAbstractItemView *>(o);
        auto *c = qobject_cast<QComboBox *>(o);
        const QAbstractItemModel *m = v ? v->model() : c ? c->model() : nullptr;
        for (int i = 0; m && i < std::max(m->rowCount(), m->columnCount()); ++i)
            check(o, m->headerData(i, Qt::Horizontal).toString() + m->headerData(i, Qt::Vertical).toString());
        for (int col = 0; m && col < m->columnCount(); ++col)   // items, nested ones too
            for (const QModelIndex &i : m->match(m->index(0, col), Qt::DisplayRole, chinese, -1,
                                                 Qt::MatchRegularExpression | Qt::MatchRecursive))
                check(o, i.data().toString());
    }
    // Message boxes, file dialogs and the question of the language switch.
    Read_Write_Port = kNoPort;
    ModalCloser closer([&](QWidget *d) { check(d, d->windowTitle()); return false; });
    for (int menu : {0, 1, 3})
        for (QAction *a : menuAt(w, menu)->actions())
            a->trigger();
    QCOMPARE(closer.titles.size(), 4);   // save refused, language question, read, write
    for (const QString &t : closer.titles + closer.texts)
        check(&closer, t);
    QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
