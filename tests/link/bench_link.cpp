// Wall and processor time of full reads and writes through the progress
// panel against the emulated radio, answering at once and paced at 9600 baud.
#include "link/transfer.h"

#include "linkharness.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_utime.tv_sec + ru.ru_stime.tv_sec + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

// Returns false when the operation failed.
bool Run(const char *name, bool write, bool pace, double floorSeconds)
{
    ScratchDir scratch{QStringList()};
    scratch.writeFile("radio.dat", PatternImage(41));
    QStringList args{"--image", scratch.file("radio.dat")};
    if (pace)
        args << "--pace";
    SimProcess sim(args);
    if (sim.port().isEmpty()) {
        std::printf("%s: the emulated radio did not start\n", name);
        return false;
    }
    Read_Write_Port = sim.port();

    QWidget host;
    host.resize(900, 600);
    host.show();
    COMPROCESS_Form panel(&host, write ? 1 : 0);
    panel.show();
    RadioData_S image;
    std::memset(image.bytes(), 0x5A, kImageSize);

    QElapsedTimer clock;
    const double cpu0 = CpuSeconds();
    clock.start();
    const int code = write ? panel.PcCpWriteFreqOp(&image, kModelWord) : panel.PcCpReadFreqOp(&image, 0);
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = CpuSeconds() - cpu0;

    std::printf("%-22s result %d  wall %.3f s (floor %.2f s, %+.1f %%)  cpu %.3f s (%.2f %% of wall)\n", name, code,
                wall, floorSeconds, 100.0 * (wall - floorSeconds) / floorSeconds, cpu, 100.0 * cpu / wall);
    std::fflush(stdout);
    return code == PCCPOP_OK;
}

// The link's per-frame debug lines would bury the figures.
void QuietDebug(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtWarningMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(QuietDebug);
    QApplication app(argc, argv);
    bool ok = true;
    ok &= Run("read, instant radio", false, false, 3.0);
    ok &= Run("write, instant radio", true, false, 3.0);
    ok &= Run("read, 9600 baud", false, true, 3.95);
    ok &= Run("write, 9600 baud", true, true, 3.95);
    return ok ? 0 : 1;
}
