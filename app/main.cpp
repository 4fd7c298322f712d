#include "app/mainwindow.h"
#include "app/placement.h"

#include <QApplication>
#include <QDesktopWidget>

int main(int argc, char **argv)
{
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    QApplication app(argc, argv);
    MainWindow window;
    window.setWindowState(Qt::WindowActive);
    window.show();
    window.move(MainWindowPosition(QApplication::desktop()->size(), window.size()));
    return app.exec();
}
