// libFuzzer entry of one target, chosen at build time by FUZZ_TARGET.
#include "fuzztargets.h"

#include <QApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The data file target drives real widgets, off screen. The application
    // is never destroyed: the offscreen platform leaks its screen on exit.
    static int argc = 1;
    static char name[] = "fuzz", *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    [[maybe_unused]] static QApplication *app = new QApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!FUZZ_TARGET(data, size))
        std::abort();
    return 0;
}
