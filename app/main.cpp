#include "app/mainwindow.h"
#include "app/placement.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QFileInfo>

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
    // radiocps FILE.dat: that file instead of the default one.
    const QStringList args = QApplication::arguments();
    if (args.size() == 2 && !args.at(1).startsWith(QLatin1Char('-')))
        window.OpenNamedFile(QFileInfo(args.at(1)).absoluteFilePath());
    return app.exec();
}
