// Wall and processor time of full reads and writes through the progress
// panel against the emulated radio, answering at once and paced at 9600 baud,
// on the standard link and on the fast one.
#include "link/transfer.h"

#include "linkharness.h"

#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

namespace {

// Returns whether the operation ended with the expected result and, on
// success, left exactly the radio's bytes in the image (read) or ours in the
// radio (write).
bool Run(const char *name, bool write, bool fast, const QStringList &simOptions, double floorSeconds,
         int expected = PCCPOP_OK)
{
    Link link(simOptions);
    COMPROCESS_Form panel(&link.w, write ? 1 : 0);
    panel.SetFastLink(fast);
    panel.show();
    RadioData_S image{};

    QElapsedTimer clock;
    const std::clock_t cpu0 = std::clock();
    clock.start();
    const int code = write ? panel.PcCpWriteFreqOp(&image, kModelWord) : panel.PcCpReadFreqOp(&image, 0);
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;

    std::printf("%-38s result %d  wall %.3f s", name, code, wall);
    if (floorSeconds > 0)
        std::printf(" (floor %.2f s, %+.1f %%)", floorSeconds, 100.0 * (wall - floorSeconds) / floorSeconds);
    std::printf("  cpu %.3f s (%.2f %% of wall)\n", cpu, 100.0 * cpu / wall);
    std::fflush(stdout);
    if (code != PCCPOP_OK)
        return code == expected;
    link.sim.stop();
    const QByteArray held = write ? link.scratch.readFile("saved.dat") : link.radio;
    return held.mid(kHeaderSize) == QByteArray(reinterpret_cast<const char *>(image.Window), sizeof image.Window);
}

} // namespace

int main(int argc, char *argv[])
{
    QLoggingCategory::setFilterRules("*.debug=false\n*.warning=false");   // the link's per-frame lines
    QApplication app(argc, argv);
    const double wire = 902 * 10 / 9600.0;   // 30 requests and confirms at 10 bits a byte
    const QStringList paced{"--pace"};
    bool ok = Run("read, instant radio", false, false, {}, 3.0);
    ok &= Run("write, instant radio", true, false, {}, 3.0);
    ok &= Run("read, 9600 baud", false, false, paced, wire + 3.0);
    ok &= Run("write, 9600 baud", true, false, paced, wire + 3.0);
    ok &= Run("fast read, instant radio", false, true, {}, 0);
    ok &= Run("fast write, instant radio", true, true, {}, 0);
    ok &= Run("fast read, 9600 baud", false, true, paced, wire);
    ok &= Run("fast write, 9600 baud", true, true, paced, wire);
    // One failed try costs the wait for answers the radio may still send.
    ok &= Run("read, block 2 garbled", false, false, {"--garble", "1", "--exchanges", "4"}, 0);
    // Fast rows that fall back to the standard timing at block 2.
    ok &= Run("fast read, 9600 baud, block 2 garbled", false, true,
              paced + QStringList{"--garble", "1", "--exchanges", "4"}, 0);
    ok &= Run("fast write, 9600 baud, block 2 late", true, true,
              paced + QStringList{"--delay", "1300", "--exchanges", "4"}, 0);
    // A line that hangs up mid-transfer must not make the waits spin.
    ok &= Run("read, hang-up at 10", false, false, {"--hangup-after", "10"}, 0, PCCPOP_LINK_FAIL);
    return ok ? 0 : 1;
}
