#include "app/mainwindow.h"
#include "app/placement.h"

#include <QApplication>
#include <QDesktopWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    // The one option: which version the package carries, without a window.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("radiocps %s\n", RADIOCPS_VERSION);
        return 0;
    }
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    QApplication app(argc, argv);
    MainWindow window;
    window.setWindowState(Qt::WindowActive);
    window.show();
    window.move(MainWindowPosition(QApplication::desktop()->size(), window.size()));
    return app.exec();
}
