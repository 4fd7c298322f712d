#include "console.h"

#include <cstdio>

void Out(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

void OutBytes(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void Fail(const QString &subject, const QString &message)
{
    const QString line = QStringLiteral("radiocps-cli: %1: %2\n").arg(subject, message);
    std::fputs(line.toLocal8Bit().constData(), stderr);
}

void Note(const QString &subject, const QString &message)
{
    Fail(subject, QStringLiteral("note: ") + message);
}
