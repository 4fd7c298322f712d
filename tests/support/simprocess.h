#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// radiocps-sim with --trace and the given options; the first line it prints
// is the path of its port.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &args = {});
    ~SimProcess() { stop(); }

    QString port;

    // Stops the emulator; it saves its image if asked to.
    void stop() { m_proc.terminate(); m_proc.waitForFinished(5000); }
    // SIGKILL: the port vanishes at once, nothing saved.
    void kill() { m_proc.kill(); m_proc.waitForFinished(5000); }
    // Request frames the emulator received so far, as hex.
    QStringList frames();
    // Connect requests once the trace has been quiet for 100 ms: one per transfer.
    int connects();

private:
    QProcess m_proc;
    QByteArray m_trace;
};

// Request frames as hex: connect, end, and block n read or (with the image's
// bytes) written.
extern const QString kConnectReq;
extern const QString kEndReq;
QString BlockReq(int n, const QByteArray &written);
// All 28 blocks in order, the retried ones twice.
QList<int> AllBlocks(const QList<int> &retried = {});
// `connects` connect requests, then the given blocks.
QStringList Requests(int connects, const QList<int> &blocks, const QByteArray &written = {});
