// A data file of any content and size opened by the main window, shown on
// the four pages and read back the way a save or a write takes it.
#include "fuzztargets.h"

#include "app/mainwindow.h"
#include "data/datafile.h"

#include "scratchdir.h"

#include <QDir>
#include <QFile>

#include <cstring>

class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
};

namespace {

// One window for the whole run, started in a scratch folder with the
// delivered data; the fuzzer's own relative paths then work as given.
struct Session {
    Session() { QDir::setCurrent(home); }
    const QString home = QDir::currentPath();
    ScratchDir dir;
    MainWindow *window = new MainWindow;   // left to the end of the process
};

QByteArray Bytes(const RadioData_S &image) { return QByteArray(reinterpret_cast<const char *>(&image), kImageSize); }

} // namespace

bool FuzzDataFile(const uint8_t *data, size_t size)
{
    static Session session;
    MainWindow &w = *session.window;
    const QString path = session.dir.file("in.dat");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return FuzzFail("datafile", "cannot write the input file");
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    w.GetRadioData();
    const QByteArray before = Bytes(MainWindowProbe::image(w));
    const bool loaded = w.MenuActionOpenFile(path);
    if (loaded != (size == size_t(kImageSize)))
        return FuzzFail("datafile", "a file was refused or taken against its size");
    if (!loaded) {
        w.GetRadioData();
        return Bytes(MainWindowProbe::image(w)) == before || FuzzFail("datafile", "a refused file changed the image");
    }
    if (std::memcmp(MainWindowProbe::image(w).bytes() + 2, data + 2, kImageSize - 2) != 0)
        return FuzzFail("datafile", "the loaded image differs from the file");

    // What the pages give back must survive being shown again unchanged.
    w.GetRadioData();
    const QByteArray once = Bytes(MainWindowProbe::image(w));
    if (once.left(kHeaderSize) != QByteArray(kHeaderSize, '\xFF'))
        return FuzzFail("datafile", "a rebuilt image keeps a header");
    w.UpdataRadioData();
    w.GetRadioData();
    if (Bytes(MainWindowProbe::image(w)) != once)
        return FuzzFail("datafile", "the pages do not round-trip their own image");
    return true;
}
