#include "app/desktop.h"
#include "app/mainwindow.h"
#include "app/platform.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

static const char kNoPort[] = "/dev/radiocps-no-such-port";   // the link operations end at the port

// A scratch working folder whose settings name this port and language, with
// the HTML help of that language.
struct Setup : ScratchDir {
    Setup(const QString &port, const QString &language)
        : help(file(QStringLiteral("datafile/help/%1/index.html").arg(language == "English" ? "en" : "zh")))
    {
        setSettings({{"SerialNumber", port}, {"Language", language}, {"FirstRun", "No"}});
        QDir().mkpath(QFileInfo(help).path());
        WriteBytes(help, "<html></html>");
    }
    const QString help;
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
        Desktop::OpenUrl = [this](const QUrl &url) { m_started << "open " + url.toLocalFile(); return m_canOpen; };
        Platform::StartDetached = [this](const QString &program, const QStringList &, const QString &wd) {
            m_started << program + " in " + QFileInfo(wd).canonicalFilePath();
            return true;
        };
    }
    void init() { m_started.clear(); m_canOpen = true; }

    // The tool bar, then each menu's entries with the dialogs each shortcut
    // and tool bar button opens, "!" after each command that ran.
    void menusAndDispatch()
    {
        Setup s("ttyS0", "Chinese");
        QVERIFY(QFile::copy("datafile/default.dat", "other.dat"));
        MainWindow w;
        QVERIFY(w.MenuActionOpenFile("./other.dat"));
        w.show();
        QToolBar *tools = w.findChild<QToolBar *>("mainToolBar");
        QStringList seen = entries(tools->actions());
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
        QCOMPARE(seen, GoldenLines("menus-dispatch.txt").filter(QRegularExpression(".")));
        QCOMPARE(w.findChild<QLabel *>("label_FileName")->text(), "default.dat");   // 新建
        QCOMPARE(m_started, QStringList{"open " + s.help});
    }

    void portMenuEntries_data()
    {
        QTest::addColumn<QStringList>("ports");   // the platform's
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("checked");
        for (const QStringList &f : GoldenRows("menus-port-entries.txt"))
            QTest::newRow(qPrintable(f[4])) << f[0].split(' ', Qt::SkipEmptyParts) << f[1]
                                            << f[2].split(' ', Qt::SkipEmptyParts) << f[3].toInt();
    }

    void portMenuEntries()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, stored);
        const Platform::PortMenuEntries m = Platform::PortMenuEntriesFor(ports, stored);
        QTEST(m.names, "names");
        QTEST(m.checked, "checked");
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
        auto expected = [&](const QString &checked) {   // the ports, "*" after the checked one
            const QRegularExpression entry("^(" + QRegularExpression::escape(checked) + ")$");
            return QStringList(ports.names).replaceInStrings(entry, "\\1*") << "|" << "刷新端口 Ctrl+U";
        };
        Setup s(stored, "Chinese");
        MainWindow w;
        QMenu *menu = menuAt(w, 3);
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
        for (int menu : {0, 1, 2, 4, 5})
            for (QAction *a : menuAt(w, menu)->actions())
                a->trigger();
        // Save refused, language question, read, write, and nothing to open the help.
        QCOMPARE(closer.titles.size(), 5);
        QCOMPARE(closer.texts.last(), "Cannot open the help (" + s.help + "): please install a web browser.");
        shown = (shown + closer.texts).filter(chinese);
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join('\n')));
        QCOMPARE(m_started, QStringList{"open " + s.help});
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
