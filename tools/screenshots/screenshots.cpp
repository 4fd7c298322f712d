// Renders the main window on each of its four pages and the progress panel
// mid-read and mid-write, in Chinese and in English, to PNG files:
//
//   radiocps-screenshots <output folder>
//
// writes <zh|en>-<n>-<view>.png. The window runs in a scratch folder holding
// a copy of the delivered data, so no settings of the run folder change.
#include "app/mainwindow.h"
#include "app/placement.h"
#include "app/sysset.h"
#include "link/comprocess_form.h"
#include "link/serial.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

bool Fail(const QString &what)
{
    std::fprintf(stderr, "radiocps-screenshots: %s\n", qPrintable(what));
    return false;
}

// datafile/ of the working folder: the delivered settings, a freshly
// generated default data file and the English catalogue.
bool StageData()
{
    if (!QDir().mkpath(QStringLiteral("datafile")))
        return Fail(QStringLiteral("cannot create %1/datafile").arg(QDir::currentPath()));
    if (!QFile::copy(QStringLiteral(SYSSET_SOURCE), QStringLiteral("datafile/sysset.ini")))
        return Fail(QStringLiteral("cannot copy " SYSSET_SOURCE));
    if (!QFile::copy(QStringLiteral(ENGLISH_QM), QStringLiteral("datafile/English.qm")))
        return Fail(QStringLiteral("cannot copy " ENGLISH_QM));
    if (QProcess::execute(QStringLiteral(MKDEFAULT), {QStringLiteral("datafile/default.dat")}) != 0)
        return Fail(QStringLiteral(MKDEFAULT " failed"));
    for (const char *f : {"datafile/sysset.ini", "datafile/English.qm", "datafile/default.dat"})
        QFile(QString::fromLatin1(f)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

// The language the next window reads at construction; no first-run choice.
bool SetLanguage(const QString &language)
{
    SysSet_S set;
    const uint16_t model = ReadSysSetFile(kSysSetFile, &set);
    set.Language = language;
    set.FirstRun = QStringLiteral("No");
    SaveSysSetFile(kSysSetFile, set, model);
    SysSet_S check;
    ReadSysSetFile(kSysSetFile, &check);
    return check.Language == language || Fail(QStringLiteral("cannot set Language in ") + kSysSetFile);
}

bool Save(QWidget *window, const QString &path)
{
    QCoreApplication::processEvents();
    const QPixmap pixmap = window->grab();
    if (pixmap.isNull() || pixmap.size().isEmpty())
        return Fail(QStringLiteral("empty grab for ") + path);
    if (!pixmap.save(path, "PNG"))
        return Fail(QStringLiteral("cannot write ") + path);
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The Edit menu open over the channel page: one power changed, so Undo names
// the step, and two rows selected. The menu is a window of its own, drawn
// into the window's picture where it stands.
bool SaveEditMenu(MainWindow &window, QStackedWidget *pages, const QString &path)
{
    pages->setCurrentIndex(1);
    auto *table = pages->currentWidget()->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    if (!table || table->rowCount() < 3)
        return Fail(QStringLiteral("the channel table has too few rows"));
    for (int r = 1; r < table->rowCount(); ++r)   // the other power a row has
        if (table->item(r, 4)->text() != table->item(0, 4)->text()) {
            table->item(0, 4)->setText(table->item(r, 4)->text());
            break;
        }
    QCoreApplication::processEvents();
    table->selectRow(1);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QAction *entry = window.menuBar()->actions().at(1);
    QMenu *edit = entry->menu();
    edit->popup(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(entry).bottomLeft()));
    QCoreApplication::processEvents();
    QPixmap shot = window.grab();
    QPainter(&shot).drawPixmap(edit->pos() - window.mapToGlobal(QPoint()), edit->grab());
    edit->hide();
    if (!shot.save(path, "PNG"))
        return Fail(QStringLiteral("cannot write ") + path);
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool RenderLanguage(const QString &language, const QString &prefix, const QDir &out)
{
    if (!SetLanguage(language))
        return false;

    MainWindow window;
    window.setWindowState(Qt::WindowActive);
    window.show();
    window.move(MainWindowPosition(QApplication::desktop()->size(), window.size()));
    if (!QTest::qWaitForWindowExposed(&window))
        return Fail(QStringLiteral("the main window was not exposed"));

    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    auto *pages = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QTreeWidgetItem *top = tree ? tree->topLevelItem(0) : nullptr;
    if (!pages || !top || top->childCount() != 3)
        return Fail(QStringLiteral("page tree or page area missing"));

    bool ok = true;
    const QList<QTreeWidgetItem *> items = {top, top->child(0), top->child(1), top->child(2)};
    static const char *const kPageNames[] = {"radioinfo", "channels", "settings", "fmradio"};
    for (int i = 0; i < items.size(); ++i) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[i]).center());
        if (pages->currentIndex() != i) {
            ok = Fail(QStringLiteral("clicking \"%1\" did not show page %2").arg(items[i]->text(0)).arg(i));
            continue;
        }
        ok &= Save(&window, out.filePath(QStringLiteral("%1-%2-%3.png").arg(prefix).arg(i).arg(kPageNames[i])));
    }

    // The panel over the disabled window, as the read and write slots show
    // it. Its port cannot open, so the operation only sets the panel's
    // label text and stops; the bar is then put at half way.
    Read_Write_Port = QDir::current().filePath(QStringLiteral("no-such-port"));
    for (uint8_t write = 0; write < 2; ++write) {
        window.setEnabled(false);
        auto *panel = new COMPROCESS_Form(&window, write);
        panel->show();
        RadioData_S scratch{};
        if (write)
            panel->PcCpWriteFreqOp(&scratch, 0x6B05);
        else
            panel->PcCpReadFreqOp(&scratch, 0);
        if (auto *bar = panel->findChild<QProgressBar *>(QStringLiteral("progressBar")))
            bar->setValue(50);
        ok &= Save(&window, out.filePath(QStringLiteral("%1-%2-%3.png")
                                             .arg(prefix).arg(4 + write).arg(write ? "writing" : "reading")));
        delete panel;
        window.setEnabled(true);
    }
    ok &= SaveEditMenu(window, pages, out.filePath(QStringLiteral("%1-6-edit.png").arg(prefix)));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    // Headless unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: radiocps-screenshots <output folder>\n");
        return 2;
    }
    const QDir out(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    if (!out.mkpath(QStringLiteral("."))) {
        Fail(QStringLiteral("cannot create ") + out.path());
        return 1;
    }

    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path()) || !StageData())
        return 1;

    // A message box (say, the default data file refused) fails the run
    // instead of waiting for a click that never comes.
    bool dialogSeen = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&dialogSeen] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            auto *message = qobject_cast<QMessageBox *>(box);
            Fail(QStringLiteral("unexpected dialog \"%1\" %2")
                     .arg(box->windowTitle(), message ? message->text() : QString()));
            dialogSeen = true;
            box->close();
        }
    });
    watchdog.start(200);

    bool ok = RenderLanguage(QStringLiteral("Chinese"), QStringLiteral("zh"), out);
    ok &= RenderLanguage(QStringLiteral("English"), QStringLiteral("en"), out);
    QDir::setCurrent(out.path());
    return ok && !dialogSeen ? 0 : 1;
}
