// Main window construction including the default file load, offscreen, and
// the peak resident memory of the program started in a scratch run folder.
#include "app/mainwindow.h"

#include "scratchdir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

static long peakRssKb(qint64 pid)
{
    for (const QByteArray &line : ReadBytes(QString("/proc/%1/status").arg(pid)).split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScratchDir dir;
    {
        MainWindow warm;   // first construction loads fonts and plug-ins
    }
    std::vector<double> ms;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        MainWindow w;
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("main window construction (default file load included): median %.1f ms, min %.1f, max %.1f"
                " over %zu runs (target: median under 150 ms)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size());

    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(RUN_DIR "/radiocps"), QStringList());
    if (!p.waitForStarted()) {
        std::fprintf(stderr, "bench_mainwindow: cannot start %s\n", RUN_DIR "/radiocps");
        return 1;
    }
    QThread::msleep(2000);
    const long kb = peakRssKb(p.processId());
    p.kill();
    p.waitForFinished();
    std::printf("radiocps peak resident memory after start: %.1f MB (target: under 80 MB)\n", kb / 1024.0);
    return 0;
}
