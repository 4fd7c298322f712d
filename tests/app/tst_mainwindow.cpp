#include "app/mainwindow.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextCodec>
#include <QToolBar>
#include <QTreeWidget>

class MainWindowProbe
{
public:
    static QByteArray image(MainWindow &w) { return QByteArray(reinterpret_cast<char *>(w.m_image.bytes()), kImageSize); }
    static QString filePath(MainWindow &w) { return w.m_filePath; }
    static QByteArray pages(MainWindow &w)
    {
        w.GetRadioData();
        return image(w).mid(4);
    }
};

namespace {

QString label(MainWindow &w, const char *name)
{
    return w.findChild<QLabel *>(name)->text();
}

QByteArray settingsWith(const char *language)
{
    return QTextCodec::codecForName("GB2312")->fromUnicode(QString::fromUtf8(
        "[SYSSET]\nSerialNumber=ttyS0\nLanguage=%1\nFirstRun=No\nStartBand=400\nEndBand=470\nVersion=2.07\n"
        "ChanNum=16\nChanLimit=1\nBandRangText=400-470MHz\nSoftName=HT-9\nChCompName=开源工具组\n"
        "EnCompName=Open Tools\n").arg(language));
}

// Types a name into the dialog's own name field, as a person would, and accepts.
ModalCloser::Answer choose(const QString &path, QString *caption)
{
    return [=](QWidget *dlg) {
        auto *fd = qobject_cast<QFileDialog *>(dlg);
        if (!fd)
            return false;
        auto *name = fd->findChild<QLineEdit *>("fileNameEdit");
        *caption = fd->windowTitle() + "|" + name->text();
        name->setText(path);
        QMetaObject::invokeMethod(fd, "accept");
        return true;
    };
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstRunWithDeliveredFiles();
    void languageAndCompany_data();
    void languageAndCompany();
    void missingDefaultFileWarnsBeforeWindowShows();
    void treeClicksShowPages_data();
    void treeClicksShowPages();
    void openRefusesBadFilesWithoutChange();
    void openAndSaveAsThroughDialogs();
    void saveOutcomes();
    void commandsEndTheCellEdit_data();
    void commandsEndTheCellEdit();
    void closeSavesSettings();
};

void TestMainWindow::firstRunWithDeliveredFiles()
{
    ScratchDir dir;   // delivered sysset.ini: FirstRun=Yes; tests run with LC_ALL=C.UTF-8
    MainWindow w;
    QSettings ini("datafile/sysset.ini", QSettings::IniFormat);
    QCOMPARE(ini.value("SYSSET/FirstRun").toString() + ini.value("SYSSET/Language").toString(), QString("NoEnglish"));
    // English catalogue installed in the same start.
    QCOMPARE(w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->text(0), QString("Radio Info"));
    QCOMPARE(w.windowTitle(), QString("HT-6B05 V1.01"));
    QCOMPARE(label(w, "label_ReleaseCompany"), QString("Open Radio Tools"));
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));
    QCOMPARE(label(w, "label_RadioVersion"), QString("V255.255"));
    QCOMPARE(label(w, "label_CurrentTime").size(), 19);
    QVERIFY(QRegularExpression("^\\d{4}-\\d{1,2}-[ \\d]\\d \\d\\d:\\d\\d:\\d\\d$")
                .match(label(w, "label_ReleaseTime")).hasMatch());
    // The image is default.dat with the model word put in.
    QCOMPARE(MainWindowProbe::image(w), QByteArray::fromHex("056B") + fileBytes("datafile/default.dat").mid(2));
    QVERIFY(w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->isExpanded());
}

void TestMainWindow::languageAndCompany_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("catalogue");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("caption");
    const QString zh = QString::fromUtf8("发行时间");
    QTest::newRow("Chinese shows ChCompName") << "Chinese" << true << QString::fromUtf8("开源工具组") << zh;
    QTest::newRow("English shows EnCompName") << "English" << true << "Open Tools" << "Released";
    QTest::newRow("other case loads nothing") << "english" << true << "Open Tools" << zh;
    QTest::newRow("English without catalogue stays Chinese") << "English" << false << "Open Tools" << zh;
}

void TestMainWindow::languageAndCompany()
{
    QFETCH(QString, language);
    QFETCH(bool, catalogue);
    QFETCH(QString, company);
    QFETCH(QString, caption);
    ScratchDir dir(catalogue ? QStringList{"default.dat", "English.qm"} : QStringList{"default.dat"});
    dir.writeFile("datafile/sysset.ini", settingsWith(language.toLatin1()));
    ModalCloser closer;
    MainWindow w;
    QVERIFY(closer.titles.isEmpty());
    QCOMPARE(label(w, "label_ReleaseCompany"), company);
    QCOMPARE(label(w, "label_0"), caption);
    QCOMPARE(label(w, "label_ReleaseVersion"), QString("2.07"));
    QCOMPARE(label(w, "label_BandRang"), QString("400-470MHz"));
    QCOMPARE(Read_Write_Port, QString("ttyS0"));
}

void TestMainWindow::missingDefaultFileWarnsBeforeWindowShows()
{
    ScratchDir dir{QStringList()};
    bool visibleAtMessage = true;
    ModalCloser closer([&](QWidget *) {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<MainWindow *>(top))
                visibleAtMessage = top->isVisible();
        return false;
    });
    MainWindow w;
    QCOMPARE(closer.titles, QStringList{QString::fromUtf8("[文件读取操作]")});
    QCOMPARE(closer.texts, QStringList{QString::fromUtf8("读取失败,默认文件数据被破坏,请另存为默认文件!")});
    QVERIFY(!visibleAtMessage);
    QCOMPARE(MainWindowProbe::image(w), QByteArray(kImageSize, 0));
    QCOMPARE(label(w, "label_FileName"), QString("FileName"));
    QCOMPARE(w.windowTitle(), QString(" V"));   // no settings either
    QVERIFY(w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->isExpanded());
}

void TestMainWindow::treeClicksShowPages_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("Chinese") << "Chinese";
    QTest::newRow("English") << "English";
}

void TestMainWindow::treeClicksShowPages()
{
    QFETCH(QString, language);
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith(language.toLatin1()));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *tree = w.findChild<QTreeWidget *>("treeWidget");
    auto *stack = w.findChild<QStackedWidget *>("stackedWidget");
    QTreeWidgetItem *top = tree->topLevelItem(0);
    const QList<QTreeWidgetItem *> items = {top, top->child(0), top->child(1), top->child(2)};
    for (int page : {3, 1, 2, 0, 2}) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[page]).center());
        QCOMPARE(stack->currentIndex(), page);
    }
    w.UpdataRadioData();
    QCOMPARE(stack->currentIndex(), 0);
}

void TestMainWindow::openRefusesBadFilesWithoutChange()
{
    ScratchDir dir;
    MainWindow w;
    const QByteArray before = MainWindowProbe::image(w);
    dir.writeFile("short.dat", QByteArray(451, char(0x12)));
    dir.writeFile("long.dat", QByteArray(453, char(0x12)));
    dir.writeFile("ro.dat", QByteArray(kImageSize, char(0x12)));
    QFile::setPermissions(dir.file("ro.dat"), QFile::ReadOwner);   // refused also for root
    QFile huge(dir.file("huge.dat"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(4) << 30));   // sparse: refused unread
    huge.close();
    ModalCloser closer;
    for (const char *name : {"short.dat", "long.dat", "missing.dat", "ro.dat", "huge.dat"})
        QVERIFY2(!w.MenuActionOpenFile(dir.file(name)), name);
    QVERIFY(!QFile::exists(dir.file("missing.dat")));
    QVERIFY(closer.titles.isEmpty());   // only the start-up load reports
    QCOMPARE(MainWindowProbe::image(w), before);
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));

    dir.writeFile("any.dat", QByteArray::fromHex("00000105") + QByteArray(kImageSize - 4, char(0x5A)));
    QVERIFY(w.MenuActionOpenFile(dir.file("any.dat")));
    QCOMPARE(label(w, "label_FileName"), QString("any.dat"));
    QCOMPARE(label(w, "label_RadioVersion"), QString("V1.05"));
    QCOMPARE(MainWindowProbe::image(w).left(2), QByteArray::fromHex("056B"));
}

void TestMainWindow::openAndSaveAsThroughDialogs()
{
    ScratchDir dir;
    MainWindow w;
    dir.writeFile("pick.dat", QByteArray(kImageSize, char(0x01)));
    QString seen;
    {
        ModalCloser closer(choose(dir.file("pick.dat"), &seen));
        QVERIFY(w.MenuActionOpenFile(QString()));
    }
    QVERIFY(seen.startsWith("Open File|"));
    QCOMPARE(label(w, "label_FileName"), QString("pick.dat"));
    {
        ModalCloser cancel;   // a cancelled dialog changes nothing
        QVERIFY(!w.MenuActionOpenFile(QString()));
        w.MenuActionSaveFile(QString());
    }
    QCOMPARE(label(w, "label_FileName"), QString("pick.dat"));
    {
        ModalCloser closer(choose(dir.file("plan"), &seen));
        w.MenuActionSaveFile(QString());
    }
    QVERIFY2(QRegularExpression("^Save File\\|20\\d{12}$").match(seen).hasMatch(), qPrintable(seen));
    QVERIFY(QFile::exists(dir.file("plan.dat")));   // the extension is added
    QCOMPARE(label(w, "label_FileName"), QString("plan.dat"));
}

void TestMainWindow::saveOutcomes()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith("Chinese"));
    MainWindow w;
    const QByteArray def = fileBytes("datafile/default.dat");
    dir.writeFile("old.dat", QByteArray(kImageSize, char(0x77)));
    QFile::setPermissions(dir.file("old.dat"), QFile::ReadOwner);
    ModalCloser closer;
    w.MenuActionSaveFile(MainWindowProbe::filePath(w));   // "./datafile/default.dat"
    w.MenuActionSaveFile(dir.file("old.dat"));
    w.MenuActionSaveFile(dir.file("no/such/folder/x.dat"));
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));
    dir.writeFile("saved.dat", QByteArray(1000, 'x'));
    w.MenuActionSaveFile(dir.file("saved.dat"));

    QCOMPARE(closer.titles, QVector<QString>(4, QString::fromUtf8("[文件保存操作]")).toList());
    QCOMPARE(closer.texts[0], QString::fromUtf8("保存失败,默认文件不允许修改,请使用另存为!"));
    QVERIFY(closer.texts[1].startsWith(QString::fromUtf8("保存失败,无法写入文件")));
    QVERIFY(closer.texts[2].startsWith(QString::fromUtf8("保存失败,无法写入文件")));
    QCOMPARE(closer.texts[3], QString::fromUtf8("保存成功,数据保存到文件(") + dir.file("saved.dat") + ")!");
    QCOMPARE(fileBytes("datafile/default.dat"), def);
    QCOMPARE(fileBytes(dir.file("old.dat")), QByteArray(kImageSize, char(0x77)));

    const QByteArray saved = fileBytes(dir.file("saved.dat"));   // replaced whole, no temporary left
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("saved.dat"), QStringList{"saved.dat"});
    QCOMPARE(saved.size(), kImageSize);
    QCOMPARE(saved.left(4), QByteArray::fromHex("FFFFFFFF"));
    QCOMPARE(saved.mid(0x20, 4) + saved.mid(0x2C, 8), QByteArray(12, char(0xFF)));   // bytes no page owns
    QCOMPARE(label(w, "label_FileName"), QString("saved.dat"));
}

void TestMainWindow::commandsEndTheCellEdit_data()
{
    QTest::addColumn<QString>("command");   // action text; "Ctrl+S" typed into the editor; "tool bar" Save
    QTest::addColumn<int>("page");          // tree position: 1 channels, 2 settings (DTMF), 3 FM
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    struct Cell { int page; const char *table; int column; const char *typed; };
    const Cell channel{1, "tableWidget", 1, "440.5"}, pttId{2, "tableWidget_DtmEncId", 0, "12AB"},
               fm{3, "tableWidget", 1, "99.3"};
    auto row = [](const char *command, const Cell &c) {
        QTest::addRow("%s, page %d", command, c.page) << QString::fromUtf8(command) << c.page << c.table << c.column
                                                      << c.typed;
    };
    for (const Cell &c : {channel, pttId, fm})
        for (const char *command : {"Ctrl+S", "写频通讯"})
            row(command, c);
    for (const char *command : {"tool bar", "另存为"})
        row(command, channel);
    for (const char *command : {"新建", "打开", "读频通讯"})
        row(command, fm);
    row("英文", pttId);
}

// A shown, active window on base.dat; on the page at tree position `page`
// the cell (0, column) of `table` is double-clicked and `typed` typed into
// its editor, not committed. The cell's text and the pages' bytes before.
struct OpenEdit {
    OpenEdit(const ScratchDir &dir, int page, const QString &table, int column, const QString &typed)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        if (!QTest::qWaitForWindowActive(&w) || !w.MenuActionOpenFile(dir.file("base.dat")))
            return;
        auto *tree = w.findChild<QTreeWidget *>("treeWidget");
        QTreeWidgetItem *item = tree->topLevelItem(0)->child(page - 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        view = w.findChild<QStackedWidget *>("stackedWidget")->currentWidget()->findChild<QTableWidget *>(table);
        index = view->model()->index(0, column);
        before = text();
        loaded = MainWindowProbe::pages(w);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
        if (editor) {
            editor->selectAll();
            QTest::keyClicks(editor, typed);
        }
    }
    // The channel page makes its rows anew on every load.
    QString text() const { return view->item(index.row(), index.column())->text(); }

    MainWindow w;
    QTableWidget *view = nullptr;
    QModelIndex index;
    QLineEdit *editor = nullptr;
    QString before;
    QByteArray loaded;
};

// With a cell editor open and its text typed but not committed, a command
// takes the typed value (save, save as, write) or ends the edit before it
// replaces the pages (new, open, read), so the old editor cannot write into
// the new data later; the language question leaves the value committed.
void TestMainWindow::commandsEndTheCellEdit()
{
    QFETCH(QString, command);
    QFETCH(int, page);
    QFETCH(QString, table);
    QFETCH(int, column);
    QFETCH(QString, typed);
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith("Chinese"));
    dir.writeFile("base.dat", fileBytes("datafile/default.dat"));

    // What the cell and the pages hold when the edit is committed with Enter.
    QString committed;
    QByteArray edited;
    {
        OpenEdit ref(dir, page, table, column, typed);
        QVERIFY(ref.editor);
        QTest::keyClick(ref.editor, Qt::Key_Enter);
        QTRY_VERIFY(!ref.view->indexWidget(ref.index));
        committed = ref.text();
        edited = MainWindowProbe::pages(ref.w);
        QVERIFY(committed != ref.before && edited != ref.loaded);
    }

    SimProcess sim({"--image", dir.file("base.dat"), "--save", dir.file("radio.dat")});
    OpenEdit e(dir, page, table, column, typed);
    QVERIFY(e.editor);
    Read_Write_Port = sim.port;
    QString seen;
    ModalCloser closer(command == "打开" ? choose(dir.file("base.dat"), &seen)
                                        : command == "另存为" ? choose(dir.file("as.dat"), &seen) : nullptr);
    QAction *action = nullptr;
    for (QAction *a : e.w.findChildren<QAction *>())
        if (a->text() == (command == "Ctrl+S" || command == "tool bar" ? QString("保存") : command))
            action = a;
    QVERIFY(action);
    if (command == "Ctrl+S")
        QTest::keyClick(e.editor, Qt::Key_S, Qt::ControlModifier);
    else if (command == "tool bar")
        QTest::mouseClick(e.w.findChild<QToolBar *>("mainToolBar")->widgetForAction(action), Qt::LeftButton);
    else
        action->trigger();
    QVERIFY(!e.view->indexWidget(e.index));
    QVERIFY2(closer.texts.filter("失败").isEmpty(), qPrintable(closer.texts.join(' ')));

    const bool replaces = command == "新建" || command == "打开" || command == "读频通讯";
    QCOMPARE(e.text(), replaces ? e.before : committed);
    QCOMPARE(MainWindowProbe::pages(e.w), replaces ? e.loaded : edited);
    if (command == "Ctrl+S" || command == "tool bar")
        QCOMPARE(fileBytes(dir.file("base.dat")).mid(4), edited);
    else if (command == "另存为")
        QCOMPARE(fileBytes(dir.file("as.dat")).mid(4), edited);
    else if (command == "写频通讯") {
        sim.stop();
        QCOMPARE(fileBytes(dir.file("radio.dat")).mid(4), edited);
    }
}

void TestMainWindow::closeSavesSettings()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith("Chinese") + "Unknown=stay\n");
    {
        MainWindow w;
        w.show();
        Read_Write_Port = "/dev/ttyUSB7";
        w.close();
    }
    QSettings ini("datafile/sysset.ini", QSettings::IniFormat);
    QCOMPARE(ini.value("SYSSET/SerialNumber").toString(), QString("/dev/ttyUSB7"));
    QCOMPARE(ini.value("SYSSET/Unknown").toString(), QString("stay"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
