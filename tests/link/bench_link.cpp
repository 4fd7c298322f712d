// Wall and processor time of full reads and writes through the progress
// panel against the emulated radio, answering at once and paced at 9600 baud.
#include "link/transfer.h"

#include "linkharness.h"

#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

namespace {

// Returns whether the operation ended with the expected result.
bool Run(const char *name, bool write, const QStringList &simOptions, double floorSeconds,
         int expected = PCCPOP_OK)
{
    Link link(simOptions);
    COMPROCESS_Form panel(&link.w, write ? 1 : 0);
    panel.show();
    RadioData_S image{};

    QElapsedTimer clock;
    const std::clock_t cpu0 = std::clock();
    clock.start();
    const int code = write ? panel.PcCpWriteFreqOp(&image, kModelWord) : panel.PcCpReadFreqOp(&image, 0);
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;

    std::printf("%-22s result %d  wall %.3f s", name, code, wall);
    if (floorSeconds > 0)
        std::printf(" (floor %.2f s, %+.1f %%)", floorSeconds, 100.0 * (wall - floorSeconds) / floorSeconds);
    std::printf("  cpu %.3f s (%.2f %% of wall)\n", cpu, 100.0 * cpu / wall);
    std::fflush(stdout);
    return code == expected;
}

} // namespace

int main(int argc, char *argv[])
{
    QLoggingCategory::setFilterRules("*.debug=false\n*.warning=false");   // the link's per-frame lines
    QApplication app(argc, argv);
    bool ok = Run("read, instant radio", false, {}, 3.0);
    ok &= Run("write, instant radio", true, {}, 3.0);
    ok &= Run("read, 9600 baud", false, {"--pace"}, 3.95);
    ok &= Run("write, 9600 baud", true, {"--pace"}, 3.95);
    // One failed try costs the wait for answers the radio may still send.
    ok &= Run("read, block 2 garbled", false, {"--garble", "1", "--exchanges", "4"}, 0);
    // A line that hangs up mid-transfer must not make the waits spin.
    ok &= Run("read, hang-up at 10", false, {"--hangup-after", "10"}, 0, PCCPOP_LINK_FAIL);
    return ok ? 0 : 1;
}
