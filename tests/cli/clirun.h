#pragma once

// radiocps-cli and the emulated radio as real processes.

#include "cli/exitstatus.h"
#include "data/pagestore.h"

#include "scratchdir.h"

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>

#include <unistd.h>

// The emulated radio, tracing requests on standard error.
class Sim
{
public:
    explicit Sim(const QStringList &args)
    {
        m_proc.start(QStringLiteral(RUN_DIR "/radiocps-sim"), QStringList{"--trace"} + args);
        if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000))
            port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
        m_proc.setReadChannel(QProcess::StandardError);
    }
    ~Sim()
    {
        m_proc.terminate();
        m_proc.waitForFinished(5000);
    }
    // Connect requests so far: one per transfer.
    int connects()
    {
        while (m_proc.waitForReadyRead(100))
            m_trace += m_proc.readAllStandardError();
        return (m_trace += m_proc.readAllStandardError()).count("rx FEA5E0");
    }
    QString port;

private:
    QProcess m_proc;
    QByteArray m_trace;
};

struct Run {
    int status = -1;
    QString out;
    QStringList errLines;
};

// How the tool is started: as the test runs, or as an ordinary user, for
// whom file modes apply (as root: without the right to override them).
enum Starter { Directly, AsUser };

// errFile: standard error goes there instead of being captured.
inline Run Cli(const ScratchDir &dir, const QStringList &args, Starter starter = Directly,
               const QString &errFile = QString())
{
    QProcess p;
    p.setWorkingDirectory(dir.path());
    if (!errFile.isEmpty())
        p.setStandardErrorFile(errFile);
    const QString cli = QStringLiteral(RUN_DIR "/radiocps-cli");
    if (starter == AsUser && geteuid() == 0)
        p.start("setpriv", QStringList{"--bounding-set=-dac_override,-dac_read_search", cli} + args);
    else
        p.start(cli, args);
    Run r;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        r.status = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.errLines = QString::fromLocal8Bit(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return r;
}

// Every file below the folder by relative path, with its bytes.
inline QMap<QString, QByteArray> Files(const ScratchDir &dir)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = QDir(dir.path()).relativeFilePath(it.next());
        files.insert(relative, dir.readFile(relative));
    }
    return files;
}

// Random bytes, five channels in use; as the window would save it when normalised (ChanNum 16).
inline QByteArray RandomImage(quint32 seed, bool normalised = false)
{
    QRandomGenerator rng(seed);
    RadioData_S image;
    for (int i = 0; i < kImageSize; ++i)
        image.at(i) = uint8_t(rng.bounded(256));
    image.at(0x0A) = 0;
    image.at(0x0B) = 5;
    if (normalised)
        image = NormaliseImage(image, 16);
    return QByteArray(reinterpret_cast<const char *>(image.bytes()), kImageSize);
}
