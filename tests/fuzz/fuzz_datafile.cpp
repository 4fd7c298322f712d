// A data file of any content and size opened by the main window, shown on
// the four pages and read back the way a save or a write takes it.
#include "fuzztargets.h"

#include "mainwindowprobe.h"
#include "scratchdir.h"

#include <QDir>

#include <cstring>

bool FuzzDataFile(const uint8_t *data, size_t size)
{
    // One window for the whole run, made in a scratch folder with the
    // delivered data; then back, so the fuzzer's own relative paths work.
    static const QString home = QDir::currentPath();
    static const ScratchDir dir;
    static MainWindow &w = *new MainWindow;   // left to the end of the process
    [[maybe_unused]] static const bool back = QDir::setCurrent(home);
    const QString path = dir.file("in.dat");
    if (!WriteBytes(path, QByteArray(reinterpret_cast<const char *>(data), int(size))))
        return FuzzFail("datafile", "cannot write the input file");
    w.GetRadioData();
    const QByteArray before = MainWindowProbe::bytes(w);
    const bool loaded = w.MenuActionOpenFile(path);
    if (loaded != (size == size_t(kImageSize)))
        return FuzzFail("datafile", "a file was refused or taken against its size");
    if (!loaded) {
        w.GetRadioData();
        return MainWindowProbe::bytes(w) == before || FuzzFail("datafile", "a refused file changed the image");
    }
    if (std::memcmp(MainWindowProbe::image(w).bytes() + 2, data + 2, kImageSize - 2) != 0)
        return FuzzFail("datafile", "the loaded image differs from the file");

    // What the pages give back must survive being shown again unchanged.
    w.GetRadioData();
    const QByteArray once = MainWindowProbe::bytes(w);
    if (once.left(kHeaderSize) != QByteArray(kHeaderSize, '\xFF'))
        return FuzzFail("datafile", "a rebuilt image keeps a header");
    w.UpdataRadioData();
    w.GetRadioData();
    return MainWindowProbe::bytes(w) == once || FuzzFail("datafile", "the pages do not round-trip their own image");
}
