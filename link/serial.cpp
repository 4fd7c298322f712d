#include "serial.h"

#include <QSerialPortInfo>

QString Read_Write_Port = QStringLiteral("COM2");

Serial::Serial(QObject *parent, TPYSERIALLINE_E type)
    : QObject(parent), m_lineType(type)
{
}

QStringList Serial::check_serial_ports()
{
    m_portNames.clear();
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        m_portNames.append(info.portName());
    return m_portNames;
}
