#pragma once

#include "exitstatus.h"

#include "data/radiodata.h"

#include <QCommandLineOption>
#include <QString>

// Transfers with the radio on a port; each failure is reported on standard
// error as "<port>: <what>: <reason>". Progress shows on standard error when
// it is a terminal, each line starting with phase ("reading", "backup").

// --fast: the transfers that follow end each reply as soon as it holds its
// complete confirm (UseFastLink).
QCommandLineOption FastOption();

// The device a port names: a name without a folder is a device in /dev, as
// the port opens it.
QString PortDevice(const QString &port);
void UseFastLink(bool on);
// Progress on a terminal; off for transfers on several ports at once.
void ShowProgress(bool on);

Exit ReadRadio(const QString &port, RadioData_S *image, const char *phase, const QString &what);

// A link failure after the handshake may leave part of path in the radio;
// the message says so and names backupPath, if any, which restores it.
Exit WriteRadio(const QString &port, RadioData_S *image, const QString &path, const QString &backupPath);

// Reads the radio back and compares its window with expected; prints
// okMessage when they agree, else the first differing radio address. After
// a write, a failed read-back is its own status: the write went through,
// only its check did not.
Exit VerifyRadio(const QString &port, const RadioData_S &expected, const QString &okMessage, bool afterWrite);

// Whether a radio answers on port (connect and end, one try each); nothing
// is reported.
bool RadioAnswers(const QString &port);
