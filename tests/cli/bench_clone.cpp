// Wall time of radiocps-cli clone: one paced radio (9600 baud) alone, then
// four side by side, on the standard and the fast link. Side by side should
// take at most 1.2 times one radio alone.
#include "clirun.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {

// Seconds for clone onto `radios` emulators side by side; negative when it
// did not write and verify every one.
double Clone(int radios, bool fast)
{
    ScratchDir dir;
    dir.writeFile("plan.dat", RandomImage(2, true));
    std::vector<std::unique_ptr<SimProcess>> sims;
    QStringList args{"clone", "plan.dat"};
    for (int i = 0; i < radios; ++i) {
        sims.emplace_back(new SimProcess({"--pace"}));
        args << sims.back()->port;
    }
    if (fast)
        args << "--fast";
    QElapsedTimer clock;
    clock.start();
    const Run r = Cli(dir, args);
    const double wall = clock.nsecsElapsed() / 1e9;
    return r.status == 0 && r.out.endsWith(QString("%1 written and verified\n").arg(radios)) ? wall : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bool ok = true;
    for (bool fast : {false, true}) {
        const double one = Clone(1, fast), four = Clone(4, fast);
        const bool within = one > 0 && four > 0 && four <= 1.2 * one;
        std::printf("clone%-6s 9600 baud: 1 radio %.3f s, 4 side by side %.3f s (%.2f x) %s\n", fast ? " fast," : ",",
                    one, four, four / one, within ? "ok" : "FAILED");
        ok &= within;
    }
    return ok ? 0 : 1;
}
