// radiocps-session PORT: starts the main window as the program does, with the
// data of ./datafile/, reads from the radio on PORT and writes back to it
// through the window's own menu actions, answers the message boxes with OK
// and closes the window. Exit status 0 when the read and the write both
// reported success, 1 when either did not, 2 on bad usage.
#include "app/mainwindow.h"
#include "app/placement.h"
#include "link/serial.h"

#include <QAction>
#include <QApplication>
#include <QDesktopWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

// The menu entry of the window's menu bar whose text is `text` in the
// window's language.
QAction *MenuAction(const MainWindow &window, const char *text)
{
    const QString wanted = QCoreApplication::translate("MainWindow", text);
    for (QAction *top : window.menuBar()->actions())
        if (top->menu())
            for (QAction *action : top->menu()->actions())
                if (action->text() == wanted)
                    return action;
    return nullptr;
}

// One message box, as "title text".
QString Message(const char *title, const char *text)
{
    return QCoreApplication::translate("MainWindow", title) + QLatin1Char(' ')
            + QCoreApplication::translate("MainWindow", text);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: radiocps-session PORT (run in a folder holding datafile/)\n");
        return 2;
    }

    // Every message box is answered with its OK button, as a person would,
    // and recorded as "title text"; other modal dialogs are closed and the
    // session fails.
    QStringList seen;
    bool unexpected = false;
    QTimer modal;
    QObject::connect(&modal, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        auto *box = qobject_cast<QMessageBox *>(w);
        QAbstractButton *ok = box ? box->button(QMessageBox::Ok) : nullptr;
        if (!ok) {
            std::fprintf(stderr, "radiocps-session: unexpected dialog \"%s\"\n",
                         w->windowTitle().toUtf8().constData());
            unexpected = true;
            w->close();
            return;
        }
        seen << box->windowTitle() + QLatin1Char(' ') + box->text();
        ok->click();
    });
    modal.start(10);

    MainWindow window;
    window.setWindowState(Qt::WindowActive);
    window.show();
    window.move(MainWindowPosition(QApplication::desktop()->size(), window.size()));
    Read_Write_Port = args.at(1);

    const QStringList expected = {Message("[读频操作]", "读取数据成功!"), Message("[写频操作]", "写入数据成功!")};
    QAction *read = MenuAction(window, "读频通讯");
    QAction *write = MenuAction(window, "写频通讯");
    if (!read || !write) {
        std::fprintf(stderr, "radiocps-session: the read or write entry is missing from the menu bar\n");
        return 1;
    }

    // Each step starts from the main event loop, as a click would; the
    // operation and its message box run in nested loops inside trigger().
    QTimer::singleShot(0, &window, [&] {
        read->trigger();
        QTimer::singleShot(0, &window, [&] {
            write->trigger();
            QTimer::singleShot(0, &window, [&] {
                if (!window.close()) {
                    std::fprintf(stderr, "radiocps-session: the window refused to close\n");
                    app.exit(1);
                }
            });
        });
    });
    const int code = app.exec();

    for (const QString &line : seen)
        std::printf("radiocps-session: %s\n", line.toUtf8().constData());
    const bool ok = code == 0 && !unexpected && seen == expected;
    std::printf("radiocps-session: %s\n", ok ? "read and write succeeded" : "FAILED");
    return ok ? 0 : 1;
}
