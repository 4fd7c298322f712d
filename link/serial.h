#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The chosen serial port ("COM3", "ttyUSB0" or a device path); every read
// and write opens the port it names.
extern QString Read_Write_Port;

enum TPYSERIALLINE_E {
    SERIALLINE_NORMAL = 0,   // replies arrive as the radio sends them
    SERIALLINE_ECHO = 1,     // the cable echoes the request before the reply
};

// Serial transport to the radio's programming cable.
class Serial : public QObject
{
    Q_OBJECT

public:
    Serial(QObject *parent, TPYSERIALLINE_E type);

    // Names of the serial ports present, in the platform's order.
    QStringList check_serial_ports();

private:
    QStringList m_portNames;
    TPYSERIALLINE_E m_lineType;
};
