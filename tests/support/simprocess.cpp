#include "simprocess.h"

#include "data/radiodata.h"

#include <QRegularExpression>
#include <QVector>

SimProcess::SimProcess(const QStringList &args)
{
    const QString link = m_linkDir.filePath(QStringLiteral("port"));
    m_proc.start(QStringLiteral(RUN_DIR "/radiocps-sim"), QStringList{"--trace", "--link", link} + args);
    if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000) && !m_proc.readLine().trimmed().isEmpty())
        port = link;
    m_proc.setReadChannel(QProcess::StandardError);
}

QStringList SimProcess::frames()
{
    m_trace += m_proc.readAllStandardError();
    QStringList out;
    for (const QString &line : QString::fromLatin1(m_trace).split('\n'))
        if (line.startsWith("rx "))
            out << line.mid(3);
    return out;
}

int SimProcess::connects()
{
    while (m_proc.waitForReadyRead(100))
        m_trace += m_proc.readAllStandardError();
    return frames().filter(QRegularExpression("^FEA5E0")).size();
}

QList<int> AllBlocks(const QList<int> &retried)
{
    QList<int> out;
    for (int n = 0; n < kBlockCount; ++n)
        out << (retried.contains(n) ? QList<int>{n, n} : QList<int>{n});
    return out;
}

QStringList Requests(int connects, const QList<int> &blocks, const QByteArray &written)
{
    QStringList out = QVector<QString>(connects, kConnectReq).toList();
    for (int n : blocks) {
        const int addr = kWindowBase + kBlockSize * n;
        const QByteArray data = written.mid(kHeaderSize + kBlockSize * n, kBlockSize).toHex().toUpper();
        out << (written.isEmpty() ? QString::asprintf("FEA5E2%04X00FDFD", addr)
                                  : QString::asprintf("FEA5E4%04X10", addr) + data + "FDFD");
    }
    return out;
}
