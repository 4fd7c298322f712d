#pragma once

// radiocps-cli and the emulated radio as real processes, for the end-to-end
// tests of the command-line tool.

#include "clistatus.h"
#include "cliops.h"

#include "data/radiodata.h"

#include "scratchdir.h"

#include <QByteArray>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <cstring>

constexpr int kChanNum = 16;   // ChanNum of the delivered settings

// The emulated radio, with its trace of requests on standard error.
class Sim
{
public:
    explicit Sim(const QStringList &args)
    {
        m_proc.setProgram(QStringLiteral(RUN_DIR "/radiocps-sim"));
        m_proc.setArguments(QStringList{"--trace"} + args);
        m_proc.start();
        if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~Sim() { stop(); }
    QString port() const { return m_port; }
    void stop()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            m_proc.terminate();
            m_proc.waitForFinished(5000);
        }
        m_trace += m_proc.readAllStandardError();
    }
    // Connect requests received: one per transfer.
    int connects()
    {
        m_proc.setReadChannel(QProcess::StandardError);
        while (m_proc.waitForReadyRead(100))
            m_trace += m_proc.readAllStandardError();
        m_trace += m_proc.readAllStandardError();
        return m_trace.count("rx FEA5E0");
    }

private:
    QProcess m_proc;
    QString m_port;
    QByteArray m_trace;
};

struct Run {
    int status = -1;
    QString out;
    QStringList errLines;
};

inline Run Cli(const ScratchDir &dir, const QStringList &args)
{
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(RUN_DIR "/radiocps-cli"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.errLines = QString::fromLocal8Bit(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return r;
}

inline QByteArray RandomImage(quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray b(kImageSize, '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    b[0x0A] = 0;
    b[0x0B] = 5;   // five channels in use
    return b;
}

inline QByteArray Normalised(const QByteArray &bytes)
{
    RadioData_S in;
    std::memcpy(in.bytes(), bytes.constData(), kImageSize);
    const RadioData_S out = NormaliseImage(in, kChanNum);
    return QByteArray(reinterpret_cast<const char *>(out.bytes()), kImageSize);
}

inline QByteArray Window(const QByteArray &image)
{
    return image.mid(kHeaderSize);
}

// The image as the emulator hands it out: its handshake data in the header.
inline QByteArray AsRead(const QByteArray &image)
{
    return QByteArray("\x05\x6B\x01\x05", 4) + Window(image);
}

