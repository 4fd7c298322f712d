#include "app/platform.h"
#include "link/serial.h"

#include "gui.h"
#include "mainwindowprobe.h"
#include "modalcloser.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Clicks the page tree: 0 the top item, 1..3 its children.
void ClickPage(MainWindow &w, int position)
{
    auto *tree = w.findChild<QTreeWidget *>("treeWidget");
    QTreeWidgetItem *item = position ? tree->topLevelItem(0)->child(position - 1) : tree->topLevelItem(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

// The window's menu entry with this text.
QAction *Entry(MainWindow &w, const QString &text)
{
    for (QAction *a : w.findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

// Types a name into a file dialog's own name field, as a person would, and accepts.
ModalCloser::Answer ChooseFile(const QString &path)
{
    return [=](QWidget *dlg) {
        auto *fd = qobject_cast<QFileDialog *>(dlg);
        if (!fd)
            return false;
        fd->findChild<QLineEdit *>("fileNameEdit")->setText(path);
        QMetaObject::invokeMethod(fd, "accept");
        return true;
    };
}

// Row 0 of a table on the page at tree position `page` (1 channels, 2 settings, 3 FM): the table, the
// column, the text typed into the cell's editor.
struct Cell { int page; QString table; int column; QString typed; };

// A command given while that editor is open: the action's text and how it is given, the file a file dialog is
// answered with, the file then holding the pages (empty: none), whether it replaces the pages.
struct Command {
    const char *name;
    QString action;
    enum { Trigger, CtrlS, ToolBar } way;
    QString dialog, saved;
    bool replaces;
};

// A shown, active window on base.dat; the cell's editor is opened by a double click and the text typed into it,
// not committed. The cell's text and the pages' bytes before.
struct OpenEdit {
    OpenEdit(const ScratchDir &dir, const Cell &cell)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        if (!QTest::qWaitForWindowActive(&w) || !w.MenuActionOpenFile(dir.file("base.dat")))
            return;
        ClickPage(w, cell.page);
        view = w.findChild<QStackedWidget *>("stackedWidget")->currentWidget()->findChild<QTableWidget *>(cell.table);
        index = view->model()->index(0, cell.column);
        before = text();
        loaded = MainWindowProbe::pages(w);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
        if (editor) {
            editor->selectAll();
            QTest::keyClicks(editor, cell.typed);
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

} // namespace

Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Command)

class TestMainWindow : public QObject
{
    Q_OBJECT
    QString m_started;

private slots:
    // The language switch's restart: "program in folder as the language saved by then".
    void initTestCase()
    {
        Platform::StartDetached = [this](const QString &program, const QStringList &, const QString &wd) {
            m_started = program + " in " + QFileInfo(wd).canonicalFilePath() + " as "
                        + QSettings("datafile/sysset.ini", QSettings::IniFormat).value("SYSSET/Language").toString();
            return true;
        };
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("language");   // stored; empty: the delivered settings, a first run
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<QString>("tree");       // the page tree's top item
        QTest::addColumn<QString>("company");
        QTest::newRow("first run in C.UTF-8: English, saved") << "" << true << "Radio Info" << "Open Radio Tools";
        QTest::newRow("Chinese shows ChCompName") << "Chinese" << true << "对讲机信息" << "开源工具组";
        QTest::newRow("other case loads nothing") << "english" << true << "对讲机信息" << "Open Tools";
        QTest::newRow("English without catalogue stays Chinese") << "English" << false << "对讲机信息" << "Open Tools";
    }

    void startUp()
    {
        QFETCH(QString, language);
        QFETCH(bool, catalogue);
        ScratchDir dir;
        if (!catalogue)
            QFile::remove(dir.file("datafile/English.qm"));
        if (!language.isEmpty())
            dir.setSettings({{"Language", language}, {"FirstRun", "No"}, {"ChCompName", "开源工具组"},
                             {"EnCompName", "Open Tools"}});
        ModalCloser closer;
        MainWindow w;
        QVERIFY(closer.titles.isEmpty());
        const QSettings ini("datafile/sysset.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("SYSSET/FirstRun").toString() + ini.value("SYSSET/Language").toString(),
                 "No" + (language.isEmpty() ? "English" : language));
        auto *top = w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0);
        QVERIFY(top->isExpanded());
        QTEST(top->text(0), "tree");
        QTEST(Label(w, "label_ReleaseCompany"), "company");
        QCOMPARE(w.windowTitle(), QString("HT-6B05 V1.01"));
        // The image is default.dat with the model word put in.
        QCOMPARE(MainWindowProbe::bytes(w), QByteArray::fromHex("056B") + dir.readFile("datafile/default.dat").mid(2));
        w.show();   // the tree's items, clicked, show their pages in either language
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *stack = w.findChild<QStackedWidget *>("stackedWidget");
        for (int page : {3, 1, 2, 0, 2}) {
            ClickPage(w, page);
            QCOMPARE(stack->currentIndex(), page);
        }
        w.UpdataRadioData();   // as New, Open and Read do: the first page, the tree's highlight on it
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(top->treeWidget()->currentItem(), top);
    }

    void missingDefaultFileWarnsBeforeWindowShows()
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
        QCOMPARE(closer.titles, QStringList{"[文件读取操作]"});
        QCOMPARE(closer.texts, QStringList{"读取失败,默认文件数据被破坏,请另存为默认文件!"});
        QVERIFY(!visibleAtMessage);
        QCOMPARE(MainWindowProbe::bytes(w), QByteArray(kImageSize, 0));
        QCOMPARE(w.windowTitle(), QString(" V"));   // no settings either
    }

    void openRefusesBadFilesWithoutChange()
    {
        ScratchDir dir;
        MainWindow w;
        const QByteArray before = MainWindowProbe::bytes(w);
        for (const auto &[name, size] : {std::pair{"short.dat", 451}, {"long.dat", 453}, {"ro.dat", kImageSize}})
            dir.writeFile(name, QByteArray(size, char(0x12)));
        QFile::setPermissions(dir.file("ro.dat"), QFile::ReadOwner);   // refused also for root
        QFile huge(dir.file("huge.dat"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(4) << 30));   // sparse: refused unread
        huge.close();
        ModalCloser closer;
        for (const char *name : {"short.dat", "long.dat", "missing.dat", "ro.dat", "huge.dat"})
            QVERIFY2(!w.MenuActionOpenFile(dir.file(name)), name);
        QVERIFY(!QFile::exists(dir.file("missing.dat")));
        QVERIFY(closer.titles.isEmpty());   // only the start-up load reports
        QCOMPARE(MainWindowProbe::bytes(w), before);
        QCOMPARE(Label(w, "label_FileName"), QString("default.dat"));

        dir.writeFile("any.dat", QByteArray::fromHex("00000105") + QByteArray(kImageSize - 4, char(0x5A)));
        QVERIFY(w.MenuActionOpenFile(dir.file("any.dat")));
        QCOMPARE(Label(w, "label_FileName"), QString("any.dat"));
        QCOMPARE(Label(w, "label_RadioVersion"), QString("V1.05"));
        QCOMPARE(MainWindowProbe::bytes(w).left(2), QByteArray::fromHex("056B"));
    }

    void saveOutcomes()
    {
        ScratchDir dir;
        dir.setLanguage("Chinese");
        MainWindow w;
        const QByteArray def = dir.readFile("datafile/default.dat");
        dir.writeFile("old.dat", QByteArray(kImageSize, char(0x77)));
        QFile::setPermissions(dir.file("old.dat"), QFile::ReadOwner);
        ModalCloser closer;
        w.MenuActionSaveFile(MainWindowProbe::filePath(w));   // "./datafile/default.dat"
        w.MenuActionSaveFile(dir.file("old.dat"));
        w.MenuActionSaveFile(dir.file("no/such/folder/x.dat"));
        QCOMPARE(Label(w, "label_FileName"), QString("default.dat"));
        dir.writeFile("saved.dat", QByteArray(1000, 'x'));
        w.MenuActionSaveFile(dir.file("saved.dat"));

        QCOMPARE(closer.titles, QVector<QString>(4, "[文件保存操作]").toList());
        QCOMPARE(closer.texts.replaceInStrings(QRegularExpression("写入文件.*"), "写入文件"),
                 QStringList({"保存失败,默认文件不允许修改,请使用另存为!", "保存失败,无法写入文件", "保存失败,无法写入文件",
                              "保存成功,数据保存到文件(" + dir.file("saved.dat") + ")!"}));
        QCOMPARE(dir.readFile("datafile/default.dat"), def);
        QCOMPARE(dir.readFile("old.dat"), QByteArray(kImageSize, char(0x77)));

        const QByteArray saved = dir.readFile("saved.dat");   // replaced whole, no temporary left; FF where no page owns
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("saved.dat"), QStringList{"saved.dat"});
        QCOMPARE(saved.size(), kImageSize);
        QCOMPARE(saved.left(4) + saved.mid(0x20, 4) + saved.mid(0x2C, 8), QByteArray(16, char(0xFF)));
        QCOMPARE(Label(w, "label_FileName"), QString("saved.dat"));
    }

    void csvThroughMenus_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("text");       // of the import's box; $F the file
        QTest::addColumn<QStringList>("rows");   // receive, transmit, tones; empty: pages unchanged
        // As other tools write it: their column order, every field quoted, CRLF, more columns after Comment.
        const QByteArray plan = ReadBytes(SOURCE_DIR "/tests/fuzz/corpus/csv/other-tools.csv").mid(1);
        const QString band = "Frequency 146.520000 MHz is outside the band 400-470 MHz";
        QTest::newRow("other tools' file") << plan
                << "导入完成:导入4行,拒绝1行,调整1行\n第4行调整:Frequency 442.0031 MHz snapped to 442.000000 MHz\n"
                   "第5行拒绝:" + band
                << QStringList{"440.000000 445.000000 88.5 无", "441.000000 440.400000 100.0 100.0",
                               "442.000000 432.000000 D023N D023I", "443.000000 443.000000 67.0 D114N"};
        QString refused = "导入失败,文件($F)中没有可导入的行,信道未改变!";
        for (int line = 2; line < 12; ++line)
            refused += QStringLiteral("\n第%1行拒绝:").arg(line) + band;
        QTest::newRow("no usable row, ten of twelve listed")
                << plan.left(plan.indexOf('\n') + 1) + QByteArray("3,,146.52\n").repeated(12)
                << refused + "\n(其余2条见详细信息)" << QStringList();
        QTest::newRow("not a plan") << QByteArray("Location,Name\r\n1,a\r\n")
                << "导入失败,文件($F)不是信道表,信道未改变!\n第1行:the header has no Frequency column" << QStringList();
    }

    // The plan imported into the channel page through the menu entry, with its summary; then the page's
    // rows exported, which changes neither the pages nor the image; a failed export keeps the old file.
    void csvThroughMenus()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        ScratchDir dir;
        dir.setLanguage("Chinese");
        dir.writeFile("plan.csv", csv);
        MainWindow w;
        auto *table = w.findChild<QWidget *>("CHANNELINFO_Form")->findChild<QTableWidget *>("tableWidget");
        const auto shown = [table] {
            QStringList r;
            for (int i = 0; i < table->rowCount(); ++i)
                r << QStringList{table->item(i, 1)->text(), table->item(i, 2)->text(), table->item(i, 6)->text(),
                                 table->item(i, 7)->text()}.join(' ');
            return r;
        };
        const QStringList before = shown();
        const QByteArray pages = MainWindowProbe::pages(w);
        QList<QAction *> entries = w.menuBar()->actions().first()->menu()->actions().mid(7);
        QString file = dir.file("plan.csv");
        ModalCloser closer([&](QWidget *d) { return ChooseFile(file)(d); });
        entries.at(0)->trigger();
        QCOMPARE(closer.texts, QStringList{text.replace("$F", file)});
        QCOMPARE(shown(), rows.isEmpty() ? before : rows);
        const QTreeWidgetItem *highlighted = w.findChild<QTreeWidget *>("treeWidget")->currentItem();
        QCOMPARE(highlighted ? highlighted->text(0) : QString(), rows.isEmpty() ? "对讲机信息" : "信道信息");
        if (rows.isEmpty())
            QCOMPARE(MainWindowProbe::pages(w), pages);

        const QByteArray image = MainWindowProbe::bytes(w);
        file = dir.file("out.csv");
        entries.at(1)->trigger();
        QCOMPARE(MainWindowProbe::bytes(w), image);
        dir.writeFile("ro.csv", "keep");
        QFile::setPermissions(dir.file("ro.csv"), QFile::ReadOwner);
        w.MenuActionExportCsv(dir.file("ro.csv"));
        QCOMPARE(dir.readFile("ro.csv"), QByteArray("keep"));
        QVERIFY(closer.texts.size() == 3 && closer.texts.last().startsWith("导出失败"));
        QCOMPARE(w.close(), shown() == before);   // an import is an edit: closing asks, a closed box cancels
        QCOMPARE(closer.texts.size(), shown() == before ? 3 : 4);
    }

    void commandsEndTheCellEdit_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Cell>("cell");
        const Cell channel{1, "tableWidget", 1, "440.5"}, pttId{2, "tableWidget_DtmEncId", 0, "12AB"},
                   fm{3, "tableWidget", 1, "99.3"};
        const Command ctrlS{"Ctrl+S", "保存", Command::CtrlS, "", "base.dat", false},
                write{"写频通讯", "写频通讯", Command::Trigger, "", "radio.dat", false},
                toolBar{"tool bar", "保存", Command::ToolBar, "", "base.dat", false},
                saveAs{"另存为", "另存为", Command::Trigger, "as", "as.dat", false},
                exportCsv{"导出信道表", "导出信道表(CSV)...", Command::Trigger, "plan.csv", "plan.csv", false},
                newFile{"新建", "新建", Command::Trigger, "", "", true},
                open{"打开", "打开", Command::Trigger, "base.dat", "", true},
                read{"读频通讯", "读频通讯", Command::Trigger, "", "", true},
                english{"英文", "英文", Command::Trigger, "", "", false};
        auto row = [](const Command &command, const Cell &c) {
            QTest::addRow("%s, page %d", command.name, c.page) << command << c;
        };
        for (const Cell &c : {channel, pttId, fm})
            for (const Command &command : {ctrlS, write})
                row(command, c);
        for (const Command &command : {toolBar, saveAs, exportCsv})
            row(command, channel);
        for (const Command &command : {newFile, open, read})
            row(command, fm);
        row(english, pttId);
    }

    // With a cell editor open and its text typed but not committed, a command
    // takes the typed value (save, save as, write, CSV export) or ends the edit before it
    // replaces the pages (new, open, read), so the old editor cannot write into
    // the new data later; the language question leaves the value committed.
    void commandsEndTheCellEdit()
    {
        QFETCH(Command, command);
        QFETCH(Cell, cell);
        ScratchDir dir;
        dir.setSettings({{"Language", "Chinese"}, {"FirstRun", "No"}, {"FastLink", "Yes"}});
        dir.writeFile("base.dat", dir.readFile("datafile/default.dat"));

        // What the cell and the pages hold when the edit is committed with Enter.
        QString committed;
        QByteArray edited;
        {
            OpenEdit ref(dir, cell);
            QVERIFY(ref.editor);
            QTest::keyClick(ref.editor, Qt::Key_Enter);
            QTRY_VERIFY(!ref.view->indexWidget(ref.index));
            committed = ref.text();
            edited = MainWindowProbe::pages(ref.w);
            QVERIFY(committed != ref.before && edited != ref.loaded);
        }

        SimProcess sim({"--image", dir.file("base.dat"), "--save", dir.file("radio.dat")});
        OpenEdit e(dir, cell);
        QVERIFY(e.editor);
        Read_Write_Port = sim.port;
        const ModalCloser::Answer choose = command.dialog.isEmpty() ? nullptr : ChooseFile(dir.file(command.dialog));
        ModalCloser closer([&](QWidget *d) { return ClickButton(d, "不保存") || (choose && choose(d)); });
        QAction *action = Entry(e.w, command.action);
        QVERIFY(action);
        if (command.way == Command::CtrlS)
            QTest::keyClick(e.editor, Qt::Key_S, Qt::ControlModifier);
        else if (command.way == Command::ToolBar)
            QTest::mouseClick(e.w.findChild<QToolBar *>("mainToolBar")->widgetForAction(action), Qt::LeftButton);
        else
            action->trigger();
        QVERIFY(!e.view->indexWidget(e.index));
        QVERIFY2(closer.texts.filter("失败").isEmpty(), qPrintable(closer.texts.join(' ')));

        QCOMPARE(e.text(), command.replaces ? e.before : committed);
        QCOMPARE(MainWindowProbe::pages(e.w), command.replaces ? e.loaded : edited);
        sim.stop();   // the radio saves what it holds
        if (command.saved.endsWith(".csv"))
            QVERIFY(dir.readFile(command.saved).contains(committed.toUtf8()));
        else if (!command.saved.isEmpty())
            QCOMPARE(dir.readFile(command.saved).mid(kHeaderSize), edited);
        closer.texts.clear();   // saved, written or replaced: nothing to ask; an export saves nothing
        e.w.close();
        QCOMPARE(closer.texts.contains("保存修改?"), !command.saved.endsWith(".dat") && !command.replaces);
    }

    void unsavedChangesGuard_data()
    {
        QTest::addColumn<QString>("command");   // a menu entry, or closing the window
        QTest::addColumn<QString>("answer");    // to the question; none: nothing edited
        for (const char *command : {"新建", "打开", "读频通讯", "英文", "close"})
            for (const char *answer : {"", "取消", "不保存", "保存"})
                QTest::addRow("%s, %s", command, *answer ? answer : "unedited") << command << answer;
        QTest::newRow("close, 保存 on the default file: as a Save As") << "close" << "保存";
    }

    // The question comes only after an edit. Cancel keeps the window and its
    // pages; Discard goes on; Save first stores the edit through the save path.
    void unsavedChangesGuard()
    {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        const bool onDefault = QString(QTest::currentDataTag()).contains("default");
        m_started.clear();
        ScratchDir dir;
        dir.setLanguage("Chinese");
        const QByteArray base = dir.readFile("datafile/default.dat");
        dir.writeFile("base.dat", base);
        dir.writeFile("other.dat", base);
        OpenEdit e(dir, {3, "tableWidget", 1, "99.3"});
        QVERIFY(e.editor);
        if (onDefault) {
            QTest::keyClick(e.editor, Qt::Key_Escape);
            QVERIFY(e.w.MenuActionOpenFile("./datafile/default.dat"));
            QVERIFY(TypeInto(*e.view, 0, 1, "99.3"));
        } else {
            QTest::keyClick(e.editor, answer.isEmpty() ? Qt::Key_Escape : Qt::Key_Enter);
        }
        const QByteArray pages = MainWindowProbe::pages(e.w);
        QCOMPARE(pages != e.loaded, !answer.isEmpty());

        Read_Write_Port = "/dev/radiocps-no-such-port";   // a read ends at the port
        const ModalCloser::Answer choose = ChooseFile(dir.file(onDefault ? "as.dat" : "other.dat"));
        ModalCloser closer([&](QWidget *d) {
            auto *box = qobject_cast<QMessageBox *>(d);
            if (QAbstractButton *yes = box ? box->button(QMessageBox::Yes) : nullptr)   // restart now
                yes->click();
            return (box && box->button(QMessageBox::Yes)) || ClickButton(d, answer) || choose(d);
        });
        bool closed = false;
        auto run = [&] {
            if (command == "close")
                closed = e.w.close();
            else
                Entry(e.w, command)->trigger();
            QTimer::singleShot(0, [] { QCoreApplication::exit(1); });
        };
        QTimer::singleShot(0, &e.w, run);   // in the application's loop: the restart ends it
        QCoreApplication::exec();

        const bool asked = closer.texts.contains("保存修改?");
        QCOMPARE(asked, !answer.isEmpty());
        const QString path = MainWindowProbe::filePath(e.w);
        const bool done = command == "新建" ? path == "./datafile/default.dat"
                        : command == "打开" ? path == dir.file("other.dat")
                        : command == "读频通讯" ? closer.titles.contains("[读频操作]")
                        : command == "英文" ? m_started == QCoreApplication::applicationFilePath() + " in "
                                                     + QFileInfo(dir.path()).canonicalFilePath() + " as English"
                        : closed;
        QCOMPARE(done, answer != "取消");
        if (answer == "取消")
            QCOMPARE(MainWindowProbe::pages(e.w), pages);
        const QByteArray stored = dir.readFile(onDefault ? "as.dat" : "base.dat");
        QCOMPARE(stored.mid(kHeaderSize), answer == "保存" ? pages : base.mid(kHeaderSize));
        QCOMPARE(dir.readFile("datafile/default.dat"), base);
    }

    void linkOptions_data()
    {
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("sim");     // the emulator's options
        QTest::addColumn<QString>("text");    // the write's message
        QTest::addColumn<int>("connects");    // the write's, then the read-back's tries
        const QString altered = "--alter 0x20=0x12";   // radio address 0x9C, a byte no page owns (FF)
        QTest::newRow("verify off: an altered byte goes unseen") << false << altered << "写入数据成功!" << 1;
        QTest::newRow("verify on: the radio holds what was sent") << true << "" << "写入数据成功!" << 2;
        QTest::newRow("verify on: the altered byte is named")
            << true << altered << "写频校验失败,对讲机地址0x009C的数据为12,应为FF!" << 2;
        QTest::newRow("verify on: the read-back fails")
            << true << "--silent --exchanges 31-" << "写入数据完成,但校验读取失败,请检查连接线路!" << 6;
    }

    // The radio menu's two options start off and are remembered across a
    // restart. With verify on, a write is read back in the same panel into a
    // copy: the success box only when the radio holds what was sent.
    void linkOptions()
    {
        QFETCH(bool, verify);
        QFETCH(QString, sim);
        QFETCH(QString, text);
        QFETCH(int, connects);
        ScratchDir dir;
        dir.setLanguage("Chinese");
        {
            MainWindow w;
            QVERIFY(Entry(w, "快速通讯") && !Entry(w, "快速通讯")->isChecked());
            QVERIFY(Entry(w, "写频后校验") && !Entry(w, "写频后校验")->isChecked());
            Entry(w, "快速通讯")->trigger();
            for (int click = verify ? 1 : 2; click > 0; --click)
                Entry(w, "写频后校验")->trigger();
        }
        QSettings ini("datafile/sysset.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("SYSSET/FastLink").toString() + ini.value("SYSSET/VerifyWrite").toString(),
                 verify ? "YesYes" : "YesNo");

        SimProcess radio(QStringList{"--image", dir.file("datafile/default.dat")} + sim.split(' ', Qt::SkipEmptyParts));
        MainWindow w;
        Read_Write_Port = radio.port;
        QVERIFY(Entry(w, "快速通讯")->isChecked());
        QCOMPARE(Entry(w, "写频后校验")->isChecked(), verify);
        auto *fm = w.findChild<QWidget *>("RADIOSET_Form")->findChild<QTableWidget *>("tableWidget");
        QVERIFY(TypeInto(*fm, 0, 1, "99.3"));
        const QByteArray pages = MainWindowProbe::pages(w);
        ModalCloser closer;
        MainWindowProbe::run(w, true);
        QCOMPARE(closer.titles + closer.texts, QStringList({"[写频操作]", text}));
        QCOMPARE(MainWindowProbe::bytes(w).mid(kHeaderSize), pages);
        QCOMPARE(radio.connects(), connects);
        const bool written = text == "写入数据成功!";   // only then the edit counts as kept
        QCOMPARE(w.close(), written);
        QCOMPARE(closer.texts.contains("保存修改?"), !written);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
