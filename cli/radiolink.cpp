#include "radiolink.h"

#include "console.h"
#include "imagefields.h"

#include "link/serial.h"
#include "link/transfer.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

bool g_fastLink = false;
bool g_progress = true;

// Shows progress on standard error when it is a terminal; keeps the last
// value either way (0: the handshake was not confirmed).
class Progress
{
public:
    explicit Progress(const char *phase) : m_phase(phase), m_shown(g_progress && isatty(STDERR_FILENO) == 1) {}
    ~Progress()
    {
        if (m_shown && m_last > 0)
            std::fputs("\n", stderr);
    }
    PcCpProgressFunc callback()
    {
        return [this](int value) {
            m_last = value;
            if (!m_shown)
                return;
            std::fprintf(stderr, "\r%-10s %3d%%", m_phase, value);
            std::fflush(stderr);
        };
    }
    int last() const { return m_last; }

private:
    const char *m_phase;
    bool m_shown;
    int m_last = 0;
};

// Whether the user may not read and write the port's device, as opposed to
// it being locked or busy, which the port also reports as a permission
// error.
bool LacksPermission(const QString &port)
{
    return ::access(QFile::encodeName(PortDevice(port)).constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

// The system's reason an open failed; for missing permission, how to get it.
QString OpenFailure(const QString &port, const Serial &serial)
{
    QString text = QStringLiteral(": the serial port could not be opened: ") + serial.openErrorString();
    if (serial.openError() == QSerialPort::PermissionError && LacksPermission(port))
        text += QStringLiteral("; serial ports are for the dialout group: sudo usermod -aG dialout $USER, "
                               "then log out and in");
    return text;
}

// tail: appended to the message of a link failure.
Exit LinkStatus(const QString &port, const Serial &serial, int result, const QString &what,
                const QString &tail = QString())
{
    switch (result) {
    case PCCPOP_OK:
        return Exit::Ok;
    case PCCPOP_PORT_FAIL:
        Fail(port, what + OpenFailure(port, serial));
        return Exit::PortFail;
    case PCCPOP_WRONG_MODEL:
        Fail(port, what + QStringLiteral(": the radio is not model %1").arg(QString::number(kModelWord, 16).toUpper()));
        return Exit::WrongModel;
    default:
        Fail(port, what + QStringLiteral(": no proper answer from the radio (check the cable and that it is on)")
                           + tail);
        return Exit::LinkFail;
    }
}

} // namespace

QString PortDevice(const QString &port)
{
    return port.contains(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port;
}

QCommandLineOption FastOption()
{
    return {QStringLiteral("fast"),
            QStringLiteral("fast link: a reply ends 4 ms after it holds its complete confirm, not after 100 ms "
                           "of silence; after a failed try the transfer keeps the standard timing")};
}

void UseFastLink(bool on)
{
    g_fastLink = on;
}

void ShowProgress(bool on)
{
    g_progress = on;
}

bool RadioAnswers(const QString &port)
{
    Serial serial(nullptr, SERIALLINE_NORMAL);
    serial.setPortName(port);
    RadioData_S image{};
    return PcCpProbe(&serial, &image) == PCCPOP_OK;
}

Exit ReadRadio(const QString &port, RadioData_S *image, const char *phase, const QString &what)
{
    Progress progress(phase);
    Serial serial(nullptr, SERIALLINE_NORMAL);
    serial.setPortName(port);
    serial.setFastLink(g_fastLink);
    const int result = PcCpReadSequence(&serial, image, progress.callback());
    return LinkStatus(port, serial, result, what);
}

Exit WriteRadio(const QString &port, RadioData_S *image, const QString &path, const QString &backupPath)
{
    Progress progress("writing");
    Serial serial(nullptr, SERIALLINE_NORMAL);
    serial.setPortName(port);
    serial.setFastLink(g_fastLink);
    const int result = PcCpWriteSequence(&serial, image, kModelWord, progress.callback());
    QString tail;
    if (progress.last() > 0) {
        tail = QStringLiteral("; the radio may hold part of %1").arg(path);
        if (!backupPath.isEmpty())
            tail += QStringLiteral(" (write %1 --raw puts back what it held)").arg(backupPath);
    }
    return LinkStatus(port, serial, result, QStringLiteral("write"), tail);
}

Exit VerifyRadio(const QString &port, const RadioData_S &expected, const QString &okMessage, bool afterWrite)
{
    RadioData_S radio{};
    const Exit status = ReadRadio(port, &radio, "verifying",
                                  afterWrite ? QStringLiteral("written, not verified: verify read")
                                             : QStringLiteral("verify read"));
    if (status != Exit::Ok)
        return afterWrite ? Exit::NotVerified : status;
    const int offset = FirstWindowDifference(radio, expected);
    if (offset >= 0) {
        Fail(port, QString::asprintf("verify failed: radio address 0x%04X holds %02X, expected %02X (%s)",
                                     OffsetToRadioAddr(offset), radio.at(offset), expected.at(offset),
                                     qPrintable(ByteOwner(offset))));
        return Exit::VerifyFail;
    }
    Out(okMessage);
    return Exit::Ok;
}
