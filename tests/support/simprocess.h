#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// radiocps-sim with --trace and the given options. Its port is a link of
// its own to the emulator's pseudo-terminal, gone with the emulator: a
// freed terminal's name, soon reused by another test's emulator, is never
// opened by mistake.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &args = {});
    ~SimProcess() { stop(); }

    QString port;

    // Stops the emulator; it saves its image if asked to.
    void stop() { m_proc.terminate(); m_proc.waitForFinished(5000); }
    // SIGKILL: the port vanishes at once, nothing saved.
    void kill() { m_proc.kill(); m_proc.waitForFinished(5000); QFile::remove(port); }
    // Request frames the emulator received so far, as hex.
    QStringList frames();
    // Connect requests once the trace has been quiet for 100 ms: one per transfer.
    int connects();

private:
    QTemporaryDir m_linkDir;
    QProcess m_proc;
    QByteArray m_trace;
};

// Request frames as hex: connect, end.
inline const QString kConnectReq = QStringLiteral("FEA5E0056B00FDFD");
inline const QString kEndReq = QStringLiteral("FEA5E6056B00FDFD");
// All 28 blocks in order, the retried ones twice.
QList<int> AllBlocks(const QList<int> &retried = {});
// `connects` connect requests, then a block read request per block, or a
// block write request with the written image's bytes.
QStringList Requests(int connects, const QList<int> &blocks, const QByteArray &written = {});
