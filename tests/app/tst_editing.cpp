// Spreadsheet-like editing of the main window: undo and redo, channel rows
// through the clipboard, files opened the desktop way.
#include "gui.h"
#include "imagebytes.h"
#include "mainwindowprobe.h"
#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QWidget *ShowPage(MainWindow &w, int page)
{
    auto *stack = w.findChild<QStackedWidget *>("stackedWidget");
    stack->setCurrentIndex(page);
    return stack->currentWidget();
}

QTableWidget &ChannelTable(MainWindow &w) { return *ShowPage(w, 1)->findChild<QTableWidget *>("tableWidget"); }

// Clicks a channel row's number, with Shift or Ctrl to extend the selection.
void ClickRow(QTableWidget &t, int row, Qt::KeyboardModifiers mods = {})
{
    QTest::mouseClick(t.viewport(), Qt::LeftButton, mods, t.visualRect(t.model()->index(row, 0)).center());
}

// Selects rows first..last, as a click and a Shift click.
void SelectRows(QTableWidget &t, QRandomGenerator &rng)
{
    const int first = rng.bounded(t.rowCount()), last = first + rng.bounded(t.rowCount() - first);
    ClickRow(t, first);
    ClickRow(t, last, Qt::ShiftModifier);
}

// One random edit of the user's through the real widgets, on any page.
void RandomEdit(MainWindow &w, QRandomGenerator &rng)
{
    QTableWidget &t = ChannelTable(w);
    const int row = rng.bounded(t.rowCount());
    const QString digits = QString::number(rng.bounded(100000, 99999999));
    switch (rng.bounded(8)) {
    case 0:   // a frequency, maybe off the raster or out of the band
        TypeInto(t, row, 1 + rng.bounded(2), QString::number(398 + rng.bounded(75)) + "." + digits.left(4));
        break;
    case 1:
        Choose(t, row, 3 + rng.bounded(7), rng.bounded(2));
        break;
    case 2:   // a settings list, the hidden one too: its byte loads and stores
        QTest::keyClick(ShowPage(w, 2)->findChildren<QComboBox *>().at(rng.bounded(11)),
                        rng.bounded(2) ? Qt::Key_Down : Qt::Key_Up);
        break;
    case 3:   // a DTMF code
        TypeInto(*ShowPage(w, 2)->findChildren<QTableWidget *>().at(rng.bounded(4)), 0, 0, digits.left(2 + rng.bounded(6)));
        break;
    case 4:
        TypeInto(*ShowPage(w, 3)->findChild<QTableWidget *>(), rng.bounded(16), 1,
                 QString::number(64 + rng.bounded(45)) + "." + digits.left(1));
        break;
    case 5:   // a row button on the selected rows
        SelectRows(t, rng);
        ShowPage(w, 1)->findChildren<QPushButton *>().at(rng.bounded(4))->click();
        break;
    case 6:   // copy rows, paste them elsewhere
        SelectRows(t, rng);
        QTest::keyClick(&w, Qt::Key_Insert, Qt::ControlModifier);
        ClickRow(t, rng.bounded(t.rowCount()));
        QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
        QApplication::setActiveWindow(&w);   // the summary, closed, left none active
        break;
    default:
        w.SortChannels();
    }
    QCoreApplication::processEvents();   // the step is taken once the edit is complete
}

QAction *EditEntry(MainWindow &w, const QString &prefix)
{
    for (QAction *a : w.menuBar()->actions().at(1)->menu()->actions())
        if (a->text().startsWith(prefix))
            return a;
    return nullptr;
}

// A shown, active Chinese window, on an image when one is given.
struct Shown {
    explicit Shown(const QByteArray &image = {})
    {
        w.show();
        QApplication::setActiveWindow(&w);
        dir.writeFile("image.dat", image);
        ok = QTest::qWaitForWindowActive(&w) && (image.isEmpty() || w.MenuActionOpenFile(dir.file("image.dat")));
    }
    ScratchDir dir;
    bool chinese = (dir.setLanguage("Chinese"), true);
    MainWindow w;
    bool ok = false;
};

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void undoRedo_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    // Each edit that changes bytes is one step; undoing them all gives back the loaded bytes and quiets the
    // unsaved-changes question, redoing them all the edited ones.
    void undoRedo()
    {
        QFETCH(quint32, seed);
        Shown shown(RandomImage(seed, true));
        MainWindow &w = shown.w;
        QVERIFY(shown.ok);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "取消");   // Qt's own catalogue too
        ModalCloser closer;
        QRandomGenerator rng(seed);
        const QByteArray loaded = MainWindowProbe::pages(w);
        QByteArray edited = loaded;
        int changes = 0;
        for (int i = 0; i < 14; ++i) {
            RandomEdit(w, rng);
            changes += MainWindowProbe::pages(w) != edited;
            edited = MainWindowProbe::pages(w);
        }
        QUndoStack &history = MainWindowProbe::history(w);
        QCOMPARE(history.count(), changes);
        QVERIFY(changes > 5);
        const int said = closer.texts.size();   // paste summaries
        for (int i = 0; i < changes; ++i)
            QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(MainWindowProbe::pages(w), loaded);
        QVERIFY(!EditEntry(w, "撤销")->isEnabled() && w.KeepOrDropChanges() && closer.texts.size() == said);
        for (int i = 0; i < changes; ++i)
            QTest::keyClick(&w, i % 2 ? Qt::Key_Y : Qt::Key_Z, i % 2 ? Qt::ControlModifier
                                                                     : Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(MainWindowProbe::pages(w), edited);
        QVERIFY(!w.KeepOrDropChanges() && closer.texts.mid(said) == QStringList{"保存修改?"});   // closed: cancelled
        QVERIFY(w.MenuActionOpenFile(shown.dir.file("image.dat")) && history.count() == 0);
    }

    void paste_data()
    {
        QTest::addColumn<QString>("text");    // on the clipboard; "copy": every row, copied from the page
        QTest::addColumn<int>("row");         // current row
        QTest::addColumn<QString>("box");     // the summary
        QTest::addColumn<QString>("rx");      // receive frequencies from that row on, after
        QTest::addColumn<QString>("undo");    // the undo entry then
        for (const QStringList &f : GoldenRows("edit-paste.txt"))
            QTest::newRow(qPrintable(f[0])) << QString(f[1]).replace("\\n", "\n").replace("\\t", "\t") << f[2].toInt()
                                            << QString(f[3]).replace("\\n", "\n") << f[4] << f[5];
    }

    // Pastes go in at the current row with the rules and summary of an import; the window's own copy of every
    // row, pasted into a table emptied by Delete, gives back the same bytes.
    void paste()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        Shown shown;
        MainWindow &w = shown.w;
        QVERIFY(shown.ok);
        const QByteArray loaded = MainWindowProbe::pages(w);
        QTableWidget &t = ChannelTable(w);
        if (text == "copy") {
            t.selectAll();
            QTest::keyClick(&w, Qt::Key_Insert, Qt::ControlModifier);
            QVERIFY(QApplication::clipboard()->text().startsWith("Location\tName\tFrequency\tDuplex\t"));
            QTest::keyClick(&w, Qt::Key_Delete);
            QCOMPARE(t.rowCount(), 1);
        } else {
            QApplication::clipboard()->setText(text);
        }
        ClickRow(t, row);
        ModalCloser closer;
        QTest::keyClick(&w, Qt::Key_Insert, Qt::ShiftModifier);
        QTEST(closer.texts.join("\n"), "box");
        QStringList rx;
        for (int r = row; r < t.rowCount(); ++r)
            rx << t.item(r, 1)->text();
        QTEST(rx.join(' '), "rx");
        QTEST(EditEntry(w, "撤销")->text(), "undo");
        if (text == "copy")
            QCOMPARE(MainWindowProbe::pages(w), loaded);
        else if (closer.texts.value(0).startsWith("粘贴失败"))
            QCOMPARE(MainWindowProbe::history(w).count(), 0);
    }

    void openDesktopWay_data()
    {
        for (const char *column : {"way", "file", "answer", "said"})
            QTest::addColumn<QString>(column);
        for (const QStringList &f : GoldenRows("edit-open.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3] << f[4];
    }

    // The pages are edited first: each way asks the question before opening; good.dat and gone.dat (since
    // removed) are on the recent list.
    void openDesktopWay()
    {
        QFETCH(QString, way);
        QFETCH(QString, file);
        QFETCH(QString, answer);
        QFETCH(QString, said);
        Shown shown;
        MainWindow &w = shown.w;
        for (const char *name : {"good.dat", "gone.dat"})
            shown.dir.writeFile(name, RandomImage(3, true));
        shown.dir.writeFile("bad.dat", "short");
        const QString path = shown.dir.file(file);
        QVERIFY(w.MenuActionOpenFile(shown.dir.file("gone.dat")) && w.MenuActionOpenFile(shown.dir.file("good.dat")));
        QVERIFY(w.MenuActionOpenFile("./datafile/default.dat") && QFile::remove(shown.dir.file("gone.dat")));
        QVERIFY(TypeInto(*ShowPage(w, 3)->findChild<QTableWidget *>(), 0, 1, "99.3"));
        const QByteArray edited = MainWindowProbe::pages(w);

        ModalCloser closer([&](QWidget *d) { return ClickButton(d, answer); });
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        if (way == "named")
            w.OpenNamedFile(path);
        else if (way == "drop" && QApplication::sendEvent(&w, &enter) && enter.isAccepted())
            QApplication::sendEvent(&w, &drop);
        else if (way == "recent")
            w.menuBar()->actions().at(0)->menu()->findChild<QMenu *>()->actions().at(file == "good.dat" ? 0 : 1)->trigger();
        QTRY_COMPARE(closer.texts.join("\n"), said.replace("FILE", path).replace("\\n", "\n"));
        const bool opened = QString(QTest::currentDataTag()).contains("不保存") && file == "good.dat";
        QCOMPARE(MainWindowProbe::filePath(w), opened ? path : "./datafile/default.dat");
        QCOMPARE(MainWindowProbe::pages(w), opened ? RandomImage(3, true).mid(kHeaderSize) : edited);
        const QStringList recent = QSettings("datafile/sysset.ini", QSettings::IniFormat).value("SYSSET/RecentFiles").toStringList();
        QCOMPARE(recent.size(), file == "gone.dat" ? 1 : 2);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
