#pragma once

#include <QByteArray>
#include <QString>

// Standard output, and one line per failure on standard error.

void Out(const QString &text);
void OutBytes(const QByteArray &bytes);

// "radiocps-cli: <subject>: <message>"; subject names the port, file, CSV
// line or command concerned.
void Fail(const QString &subject, const QString &message);

// As Fail, the message after "note: ".
void Note(const QString &subject, const QString &message);
