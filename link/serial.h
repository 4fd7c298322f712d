#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class QElapsedTimer;
class QEventLoop;
class QTimer;

// The chosen serial port ("COM3", "ttyUSB0" or a device path); every read
// and write opens the port it names.
extern QString Read_Write_Port;

enum TPYSERIALLINE_E {
    SERIALLINE_NORMAL = 0,   // replies arrive as the radio sends them
    SERIALLINE_ECHO = 1,     // the cable echoes the request before the reply
};

// One write-then-read exchange.
struct SerialWirteReadData_S {
    const QString *pWriteText;                                // request as hex text; empty sends nothing
    void *pCheckPar;                                          // handed unchanged to pCheckFunc
    bool (*pCheckFunc)(const QString &reply, void *checkPar); // none: done after writing
    uint8_t TryNum;                                           // tries left, counted down by each try
    // Fast link only: a reply this accepts is complete, its wait ends at once.
    bool (*pCompleteFunc)(const QString &reply, void *checkPar) = nullptr;
};

// Serial transport to the radio's programming cable: 9600 8N1, a reply is
// the burst of bytes ended by 100 ms of silence, its first byte is awaited
// for 1000 ms. Waits run a nested event loop, so the GUI keeps painting.
class Serial : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRxBufferSize = 1024;
    static constexpr int kFirstByteWaitMs = 1000;
    static constexpr int kGapMs = 100;
    static constexpr int kReopenPauseMs = 20;
    static constexpr int kFirstWriteWaitMs = 5000;
    // Fast link: silence after a complete confirm before the reply ends:
    // three characters at 9600 baud (3.1 ms), on the timer's millisecond and
    // with room for a loaded machine.
    static constexpr int kSettleMs = 4;
    // After a failed try, answers that start up to this long after the
    // last request are awaited and dropped.
    static constexpr int kLateAnswerMs = 2 * kFirstByteWaitMs;

    Serial(QObject *parent, TPYSERIALLINE_E type);
    ~Serial() override;

    // Opens Read_Write_Port (or the port set by setPortName) at 9600 baud,
    // 8 data bits, no parity, 1 stop bit, no flow control.
    bool SelfOpen();
    // A port of this Serial's own instead of Read_Write_Port: transfers on
    // several ports at once, each on its own thread. Empty: Read_Write_Port.
    void setPortName(const QString &name) { m_portName = name; }

    // Opens name (a platform name such as COM3 or ttyUSB0, or a device path,
    // symbolic links resolved) with the given line settings.
    bool init_serial_port(const QString &name, int baud, QSerialPort::DataBits dataBits,
                          QSerialPort::Parity parity, QSerialPort::StopBits stopBits,
                          QSerialPort::FlowControl flow);

    // Sends the bytes the hex text encodes (spaces ignored).
    void serial_write(const QString &hexText);

    // Waits for one reply, its first byte at most firstByteMs; upper-case
    // hex text, empty when nothing came.
    QString serial_read(int firstByteMs = kFirstByteWaitMs);

    // Writes the request and reads replies until the check accepts one or
    // the tries run out; between tries the port is closed and reopened.
    // Accepted after a failed try: returns only once the radio can no
    // longer answer any of the tries.
    bool SelfWriteReadData(SerialWirteReadData_S *rec);

    // Fast link: a reply ends kSettleMs after the exchange's pCompleteFunc
    // accepts the bytes received so far, not only after 100 ms of silence.
    // Bytes in that time (a copy of the confirm, or an answer to something
    // else: confirms name no address) make the try fail. Off by default; a
    // failed try turns it off for the rest of this Serial's life.
    void setFastLink(bool on) { m_fastLink = on; }
    bool fastLink() const { return m_fastLink; }

    // Names of the serial ports present, in the platform's order.
    QStringList check_serial_ports();

    // Why the last open failed: the port's error and the system's text for
    // it ("No such file or directory", "Permission denied"); NoError and
    // empty when it succeeded.
    QSerialPort::SerialPortError openError() const { return m_openError; }
    QString openErrorString() const { return m_openErrorString; }

private slots:
    void readMyCom();
    void timerOver();

private:
    void Pause(int ms);
    void DropLateReplies(const QElapsedTimer &sinceLastRequest);

    QStringList m_portNames;
    QString m_portName;
    TPYSERIALLINE_E m_lineType;
    QSerialPort *m_port = nullptr;
    QTimer *m_timer = nullptr;
    bool m_firstWrite = true;
    bool m_timeout = false;
    uint8_t m_rxBuf[kRxBufferSize];
    int32_t m_rxLen = 0;
    QEventLoop *m_wait = nullptr;   // the running reply wait, quit by timerOver()
    bool m_fastLink = false;
    std::function<bool(const QString &)> m_complete;   // set while a fast reply is awaited
    bool m_settling = false;   // a complete confirm is in, the line must stay quiet
    bool m_trailing = false;   // bytes came after a complete confirm: the try fails
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    QString m_openErrorString;
};
