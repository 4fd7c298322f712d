#include "serial.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>

#include <cstring>

QString Read_Write_Port = QStringLiteral("COM2");

Serial::Serial(QObject *parent, TPYSERIALLINE_E type)
    : QObject(parent), m_lineType(type)
{
    std::memset(m_rxBuf, 0, sizeof(m_rxBuf));
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    // Coarse timers may fire up to 5 % early, which would cut a reply short.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Serial::timerOver);
}

Serial::~Serial()
{
    if (m_port && m_port->isOpen())
        m_port->close();
}

bool Serial::SelfOpen()
{
    return init_serial_port(m_portName.isEmpty() ? Read_Write_Port : m_portName, QSerialPort::Baud9600,
                            QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                            QSerialPort::NoFlowControl);
}

bool Serial::init_serial_port(const QString &name, int baud, QSerialPort::DataBits dataBits,
                              QSerialPort::Parity parity, QSerialPort::StopBits stopBits,
                              QSerialPort::FlowControl flow)
{
    // Device paths such as /dev/serial/by-id/... are links to the tty node;
    // open the node itself so the port's lock names the real device.
    QString portName = name;
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo info(name);
        if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
            portName = info.canonicalFilePath();
    }

    delete m_port;
    m_port = new QSerialPort(this);
    m_port->setPortName(portName);
    m_port->setBaudRate(baud, QSerialPort::AllDirections);
    m_port->setDataBits(dataBits);
    m_port->setParity(parity);
    m_port->setStopBits(stopBits);
    m_port->setFlowControl(flow);
    m_port->setReadBufferSize(kRxBufferSize);

    if (m_port->isOpen())
        m_port->close();
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_openError = m_port->error();
        m_openErrorString = m_port->errorString();
        return false;
    }
    m_openError = QSerialPort::NoError;
    m_openErrorString.clear();

    // Pseudo-terminals refuse RTS (UnsupportedOperationError); cables take it.
    // Both edges are always attempted.
    m_port->setRequestToSend(false);
    m_port->setRequestToSend(true);
    m_port->clearError();
    m_port->flush();
    m_port->clearError();
    m_port->clear(QSerialPort::AllDirections);

    std::memset(m_rxBuf, 0, sizeof(m_rxBuf));
    m_rxLen = 0;

    connect(m_port, &QSerialPort::readyRead, this, &Serial::readMyCom, Qt::DirectConnection);
    // A cable pulled or a line hung up keeps the port readable with nothing
    // to read: close it, so the wait sleeps until its timer instead of
    // spinning. The try then fails and the port is reopened as usual.
    QSerialPort *port = m_port;
    connect(port, &QSerialPort::errorOccurred, port, [port](QSerialPort::SerialPortError error) {
        if ((error == QSerialPort::ReadError || error == QSerialPort::ResourceError) && port->isOpen())
            port->close();
    }, Qt::QueuedConnection);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return true;
}

void Serial::serial_write(const QString &hexText)
{
    QString text = hexText;
    text.remove(QLatin1Char(' '));
    const QByteArray bytes = QByteArray::fromHex(text.toLatin1());

    if (!m_port || !m_port->isOpen())
        return;
    m_port->flush();
    m_port->clearError();
    m_port->clear(QSerialPort::AllDirections);
    m_port->write(bytes);
    if (m_firstWrite) {
        m_firstWrite = false;
        m_port->waitForBytesWritten(kFirstWriteWaitMs);
    }
}

QString Serial::serial_read(int firstByteMs)
{
    m_timeout = false;
    m_settling = m_trailing = false;
    std::memset(m_rxBuf, 0, sizeof(m_rxBuf));
    m_rxLen = 0;
    m_timer->start(firstByteMs);

    // Sleeps until the next event; timerOver() ends the wait.
    QEventLoop loop;
    m_wait = &loop;
    if (!m_timeout)
        loop.exec();
    m_wait = nullptr;

    const int len = m_rxLen < 0 ? 0 : m_rxLen;
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(m_rxBuf), len).toHex().toUpper());
}

void Serial::readMyCom()
{
    if (m_settling) {   // the reply goes on as on the standard link, then fails
        m_settling = false;
        m_trailing = true;
    } else if (!m_trailing && m_complete && m_port
               && m_complete(QString::fromLatin1(m_port->peek(kRxBufferSize).toHex().toUpper()))) {
        m_settling = true;
        m_timer->start(kSettleMs);
        return;
    }
    m_timer->start(kGapMs);
}

void Serial::timerOver()
{
    m_timer->stop();
    if (m_port && m_port->isOpen()) {
        m_rxLen = static_cast<int32_t>(m_port->read(reinterpret_cast<char *>(m_rxBuf), kRxBufferSize));
        m_port->flush();
        m_port->clearError();
        m_port->clear(QSerialPort::AllDirections);
    } else {
        m_rxLen = -1;
    }
    m_timeout = true;
    if (m_wait)
        m_wait->quit();
}

void Serial::Pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Confirms name no address: an answer can be matched to its request only
// while no other request may still be answered. After a failed try,
// whatever it received, the radio may still answer it: the accepted reply
// may be the answer to an earlier try, and the answer to the last one, still
// on its way, would pass for the next request's confirm. Such answers are
// read and dropped until none can come: the line quiet and two first-byte
// waits past the last request, which also covers a radio a little slower
// than the first-byte wait.
void Serial::DropLateReplies(const QElapsedTimer &sinceLastRequest)
{
    for (;;) {
        const qint64 left = kLateAnswerMs - sinceLastRequest.elapsed();
        const QString late = serial_read(static_cast<int>(qMax<qint64>(left, kGapMs)));
        if (late.isEmpty())
            return;
        qDebug().noquote() << QStringLiteral("串口读取===") + late;
    }
}

bool Serial::SelfWriteReadData(SerialWirteReadData_S *rec)
{
    if (!m_port)
        return false;

    bool failedTry = false;
    QElapsedTimer sinceRequest;
    for (;;) {
        const uint8_t tries = rec->TryNum;
        if (tries == 0)
            return false;
        rec->TryNum = static_cast<uint8_t>(tries - 1);

        const QString request = rec->pWriteText ? *rec->pWriteText : QString();
        if (!request.isEmpty()) {
            serial_write(request);
            sinceRequest.start();
            qDebug().noquote() << QStringLiteral("串口写入===") + request;
        }
        if (!rec->pCheckFunc)
            return true;

        const auto cutEcho = [this, &request](QString reply) {
            if (m_lineType == SERIALLINE_ECHO && !request.isEmpty())
                reply.remove(0, request.length());
            return reply;
        };
        if (m_fastLink && rec->pCompleteFunc)
            m_complete = [&](const QString &sofar) { return rec->pCompleteFunc(cutEcho(sofar), rec->pCheckPar); };
        QString reply = serial_read();
        m_complete = nullptr;
        const bool trailing = m_trailing;
        if (m_lineType == SERIALLINE_ECHO)
            qDebug().noquote() << QStringLiteral("RxDataLen=======") + QString::number(request.length() / 2);
        reply = cutEcho(reply);
        qDebug().noquote() << QStringLiteral("串口读取===") + reply;

        if (!trailing && !reply.isEmpty() && rec->pCheckFunc(reply, rec->pCheckPar)) {
            if (failedTry && sinceRequest.isValid())
                DropLateReplies(sinceRequest);
            return true;
        }
        failedTry = true;
        // What went wrong may be a radio or cable that needs the gap: the
        // rest of the transfer keeps the specified timing.
        m_fastLink = false;

        // Recover the line: a port that fails to reopen fails the next tries.
        if (m_port->isOpen())
            m_port->close();
        Pause(kReopenPauseMs);
        SelfOpen();
    }
}

QStringList Serial::check_serial_ports()
{
    m_portNames.clear();
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        m_portNames.append(info.portName());
    return m_portNames;
}
