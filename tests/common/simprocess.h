#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// radiocps-sim with --trace and the given options; the first line it prints
// is the path of its port.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &args = {})
    {
        m_proc.start(QStringLiteral(RUN_DIR "/radiocps-sim"), QStringList{"--trace"} + args);
        if (m_proc.waitForReadyRead(5000))
            port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~SimProcess() { stop(); }

    QString port;

    // Stops the emulator; it saves its image if asked to.
    void stop() { m_proc.terminate(); m_proc.waitForFinished(5000); }
    // SIGKILL: the port vanishes at once, nothing saved.
    void kill() { m_proc.kill(); m_proc.waitForFinished(5000); }

    // Request frames the emulator received so far, as hex.
    QStringList frames()
    {
        m_err += m_proc.readAllStandardError();
        QStringList out;
        for (const QString &line : QString::fromLatin1(m_err).split('\n'))
            if (line.startsWith("rx "))
                out << line.mid(3);
        return out;
    }

private:
    QProcess m_proc;
    QByteArray m_err;
};
