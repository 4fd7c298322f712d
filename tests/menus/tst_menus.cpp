#include "app/desktop.h"
#include "app/mainwindow.h"
#include "app/platform.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

static const char kNoPort[] = "/dev/radiocps-no-such-port";   // the link operations end at the port

// A scratch working folder whose settings name this port and language.
struct Setup : ScratchDir {
    Setup(const QString &port, const QString &language)
    {
        setSettings({{"SerialNumber", port}, {"Language", language}, {"FirstRun", "No"}});
    }
};

static QString saved(const char *key)
{
    return QSettings("datafile/sysset.ini", QSettings::IniFormat).value(QStringLiteral("SYSSET/") + key).toString();
}

static QMenu *menuAt(MainWindow &w, int i) { return w.menuBar()->actions().at(i)->menu(); }

// "text shortcut" per entry, "*" marking a checked one, "|" a separator.
static QStringList entries(const QList<QAction *> &actions)
{
    QStringList t;
    for (QAction *a : actions)
        t << (a->isSeparator() ? "|" : a->text() + (a->isChecked() ? "* " : " ") + a->shortcut().toString()).trimmed();
    return t;
}

class TestMenus : public QObject
{
    Q_OBJECT
    QStringList m_started;   // processes started and pages opened through the seams
    bool m_canOpen = true;   // whether the desktop can open a page

private slots:
    void initTestCase()
    {
        Desktop::OpenUrl = [this](const QUrl &url) {
            m_started << "open " + url.toLocalFile();
            return m_canOpen;
        };
        Platform::StartDetached = [this](const QString &program, const QStringList &, const QString &wd) {
            m_started << program + " in " + QFileInfo(wd).canonicalFilePath() + " as " + saved("Language");
            return true;
        };
    }
    void init()
    {
        m_started.clear();
        m_canOpen = true;
    }
    // The HTML help of a language in the scratch folder.
    static QString helpPage(const ScratchDir &s, const char *language)
    {
        const QString page = s.file(QStringLiteral("datafile/help/%1/index.html").arg(language));
        QDir().mkpath(QFileInfo(page).path());
        WriteBytes(page, "<html></html>");
        return page;
    }

    void menusAndDispatch()
    {
        Setup s("ttyS0", "Chinese");
        const QString help = helpPage(s, "zh");
        QVERIFY(QFile::copy("datafile/default.dat", "other.dat"));
        MainWindow w;
        QVERIFY(w.MenuActionOpenFile("./other.dat"));
        w.show();
        QToolBar *tools = w.findChild<QToolBar *>("mainToolBar");
        QCOMPARE(entries(tools->actions()), QStringList({"|", "新建 Ctrl+N", "打开 Ctrl+O", "保存 Ctrl+S", "另存为 Ctrl+D", "|",
                                                         "读频通讯 Ctrl+R", "写频通讯 Ctrl+W"}));
        QStringList seen;   // menus, entries, the dialogs of each shortcut and tool bar button, "!" after each
        ModalCloser closer([&](QWidget *d) { seen << d->windowTitle(); return false; });   // closing answers No
        for (QAction *m : w.menuBar()->actions()) {
            seen << m->menu()->title() + ':';
            for (QAction *a : m->menu()->actions()) {
                if (!a->isCheckable())   // the ports: portMenu()
                    seen << entries({a});
                if (a->shortcut().isEmpty())
                    continue;
                connect(a, &QAction::triggered, &w, [&] { seen << (saved("Language") == "Chinese" ? "!" : "!saved"); });
                Read_Write_Port = kNoPort;   // also after a refresh
                QApplication::setActiveWindow(&w);   // a closed dialog leaves none active
                QTest::keySequence(&w, a->shortcut());
                if (QWidget *button = tools->widgetForAction(a))
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        }
        QCOMPARE(seen, QStringList({"  文件  :", "新建 Ctrl+N", "!", "!", "|", "打开 Ctrl+O", "打开文件", "!", "打开文件", "!",
                                    "|", "保存 Ctrl+S", "[文件保存操作]", "!", "[文件保存操作]", "!", "另存为 Ctrl+D",
                                    "保存文件", "!", "保存文件", "!", "|", "导入信道表(CSV)...", "导出信道表(CSV)...",
                                    "  语言  :", "中文 Ctrl+C", "!", "英文 Ctrl+E",
                                    "[语言切换操作]", "!", "端口选择:", "|", "刷新端口 Ctrl+U", "!", "数据通讯:",
                                    "读频通讯 Ctrl+R", "[读频操作]", "!", "[读频操作]", "!", "写频通讯 Ctrl+W", "[写频操作]",
                                    "!", "[写频操作]", "!", "|", "  帮助  :", "帮助文档 Ctrl+H", "!"}));
        QCOMPARE(w.findChild<QLabel *>("label_FileName")->text(), "default.dat");   // 新建
        QCOMPARE(m_started, QStringList{"open " + help});
    }

    void portMenuEntries_data()
    {
        QTest::addColumn<QStringList>("ports");   // the platform's
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("checked");
        const QStringList com1{"COM1"};
        QTest::newRow("platform's ports last first, the stored one checked")
                << QStringList{"COM1", "COM3"} << "COM1" << QStringList{"COM3", "COM1"} << 1;
        QTest::newRow("stored port gone: nothing checked") << QStringList() << "COM3" << QStringList() << -1;
        QTest::newRow("stored device path listed last, checked")
                << com1 << "/dev/null" << QStringList{"COM1", "/dev/null"} << 1;
        QTest::newRow("stored folder not listed") << com1 << "/dev" << com1 << -1;
        QTest::newRow("stored plain file not listed") << com1 << "/etc/hosts" << com1 << -1;
    }

    void portMenuEntries()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, stored);
        QFETCH(QStringList, names);
        QFETCH(int, checked);
        const Platform::PortMenuEntries m = Platform::PortMenuEntriesFor(ports, stored);
        QCOMPARE(m.names, names);
        QCOMPARE(m.checked, checked);
    }

    void portMenu_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("device path present: listed last, checked") << "/dev/null";
        QTest::newRow("stored port gone: first entry chosen and saved") << "ttyRADIOCPS9";
        QTest::newRow("no stored port: first entry chosen and saved") << "";
    }

    void portMenu()
    {
        QFETCH(QString, stored);
        const Platform::PortMenuEntries ports =
                Platform::PortMenuEntriesFor(Serial(nullptr, SERIALLINE_NORMAL).check_serial_ports(), stored);
        const QString chosen = ports.names.value(ports.checked, ports.names.value(0, stored));
        auto expected = [&](const QString &checked) {
            QStringList e;
            for (const QString &p : ports.names)
                e << p + (p == checked ? "*" : "");
            return e << "|" << "刷新端口 Ctrl+U";
        };
        Setup s(stored, "Chinese");
        MainWindow w;
        QMenu *menu = menuAt(w, 2);
        QCOMPARE(entries(menu->actions()), expected(chosen));
        QCOMPARE(Read_Write_Port, chosen);
        QCOMPARE(saved("SerialNumber"), chosen);

        QPointer<QAction> refresh = menu->actions().last();
        bool delivered = false;   // runs after the dispatch, in the same delivery
        connect(refresh, &QAction::triggered, [&] { delivered = refresh && refresh->text() == "刷新端口"; });
        refresh->trigger();
        QVERIFY(delivered);
        QCOMPARE(entries(menu->actions()), expected(chosen));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!refresh);

        s.writeFile("datafile/sysset.ini", "");   // a choice saves the settings
        for (int click = 0; click < 2; ++click)   // the second click unchecks; the choice stays
            menu->actions().first()->trigger();
        QCOMPARE(entries(menu->actions()), expected(ports.names.value(0)));
        QCOMPARE(saved("SerialNumber"), ports.names.value(0));
    }

    void languageSwitch_data()
    {
        QTest::addColumn<QString>("target");   // nothing for the current language, and No: menusAndDispatch()
        QTest::newRow("英文, Yes: saves English, restarts") << "English";
        QTest::newRow("中文, Yes: saves Chinese, restarts") << "Chinese";
    }

    void languageSwitch()
    {
        QFETCH(QString, target);
        Setup s("ttyS0", target == "English" ? "Chinese" : "English");
        MainWindow w;
        w.show();   // closing the question box must not end the loop as the last window
        auto yes = [](QWidget *d) { static_cast<QMessageBox *>(d)->button(QMessageBox::Yes)->click(); return true; };
        ModalCloser closer(yes);
        QTimer::singleShot(10000, &w, [] { QCoreApplication::exit(2); });   // the switch ends the loop
        QTimer::singleShot(0, &w, [&] { menuAt(w, 1)->actions().at(target == "English")->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(closer.titles.size(), 1);
        QCOMPARE(m_started, QStringList{QCoreApplication::applicationFilePath() + " in "
                                        + QFileInfo(s.path()).canonicalFilePath() + " as " + target});
    }

    void everyTranslatedTextHasEnglish()
    {
        QTemporaryDir tmp;   // the catalogues merged, then updated from the sources
        QFile ts(tmp.filePath("all.ts"));
        QCOMPARE(QProcess::execute("sh", {"-c", QStringLiteral("cd '" SOURCE_DIR "' && '" LCONVERT "' -o '%1' i18n/*.ts"
                " && '" LUPDATE "' -silent -locations none -no-obsolete app data channels settings link forms -ts '%1'")
                .arg(ts.fileName())}), 0);
        const QString text = ts.open(QIODevice::ReadOnly) ? QString::fromUtf8(ts.readAll()) : QString();
        QVERIFY(text.contains("<source>新建</source>"));   // the scan saw the sources
        const QRegularExpressionMatch unfinished = QRegularExpression(
                "<source>([^<]*)</source>(?:\\s*<(?!translation)\\w+>[^<]*</\\w+>)*"
                "\\s*<translation(?: type=\"unfinished\"|/>|>\\s*</translation>)").match(text);
        QVERIFY2(!unfinished.hasMatch(), qPrintable("no English: " + unfinished.captured(1)));
    }

    void englishWindowShowsNoChinese()
    {
        Setup s("ttyS0", "English");
        const QString help = helpPage(s, "en");
        m_canOpen = false;
        MainWindow w;
        w.show();
        const QRegularExpression chinese("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]");
        QStringList shown;
        const QList<QObject *> objects = w.findChildren<QObject *>() << &w;   // shown or not
        for (QObject *o : objects) {
            for (auto p : {"text", "title", "toolTip", "placeholderText", "windowTitle", "format", "prefix", "suffix"})
                shown << o->property(p).toString();
            auto *m = qobject_cast<QAbstractItemModel *>(o);   // of tables, trees, combo boxes
            for (int i = 0; m && i < std::max(m->rowCount(), m->columnCount()); ++i)
                shown << m->headerData(i, Qt::Horizontal).toString() << m->headerData(i, Qt::Vertical).toString();
            for (int col = 0; m && col < m->columnCount(); ++col)   // items, nested ones too
                for (const QModelIndex &i : m->match(m->index(0, col), Qt::DisplayRole, chinese, -1,
                                                     Qt::MatchRegularExpression | Qt::MatchRecursive))
                    shown << i.data().toString();
        }
        Read_Write_Port = kNoPort;   // then the menus' dialogs and the help
        ModalCloser closer([&](QWidget *d) { shown << d->windowTitle(); return false; });
        for (int menu : {0, 1, 3, 4})
            for (QAction *a : menuAt(w, menu)->actions())
                a->trigger();
        // Save refused, language question, read, write, and nothing to open the help.
        QCOMPARE(closer.titles.size(), 5);
        QCOMPARE(closer.texts.last(), "Cannot open the help (" + help + "): please install a web browser.");
        shown = (shown + closer.texts).filter(chinese);
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join('\n')));
        QCOMPARE(m_started, QStringList{"open " + help});
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
