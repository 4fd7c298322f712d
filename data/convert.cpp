#include "convert.h"

#include <cstring>

QString INT8U_Array_To_QString(const uint8_t *bytes, uint8_t count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString::asprintf("%02X", bytes[i]);
    return text;
}

bool QString_To_INT8U_Array(const QString &text, uint8_t *dest)
{
    const uint8_t len = static_cast<uint8_t>(text.length());
    if (len == 0 || (len & 1))
        return true;
    for (int i = 0; i < len; i += 2)
        *dest++ = static_cast<uint8_t>(text.mid(i, 2).toInt(nullptr, 16) & 0xFF);
    return true;
}

void Val_Little_Big_Endian_Convert(uint8_t *bytes, uint8_t count)
{
    for (int k = 0; k < count / 2; ++k) {
        const uint8_t t = bytes[k];
        bytes[k] = bytes[count - 1 - k];
        bytes[count - 1 - k] = t;
    }
}

void INT8U_Array_To_INT16U_ASCII_Array(const uint8_t *bytes, uint16_t *words, uint8_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int i = 0; i < count; ++i) {
        const uint8_t hi = static_cast<uint8_t>(digits[bytes[i] >> 4]);
        const uint8_t lo = static_cast<uint8_t>(digits[bytes[i] & 0x0F]);
        // Characters in reading order in memory, whatever the host byte order.
        uint8_t *w = reinterpret_cast<uint8_t *>(&words[i]);
        w[0] = hi;
        w[1] = lo;
    }
}

bool INT8U_ASCII_To_INT8U_Array(const char *chars, uint16_t count, uint8_t *dest)
{
    if (count & 1)
        return false;
    for (int i = 0; i < count; i += 2) {
        const QString pair = QString::asprintf("%c%c", chars[i], chars[i + 1]);
        *dest++ = static_cast<uint8_t>(pair.toInt(nullptr, 16) & 0xFF);
    }
    return true;
}

QString QString_Little_Big_Endian_Convert(const QString &text, int bits, bool &ok)
{
    if (bits != 16 && bits != 32) {
        ok = false;
        return QString();
    }
    const int group = bits / 4;
    if (text.length() % group != 0) {
        ok = false;
        return QString();
    }
    QString out;
    for (int g = 0; g < text.length(); g += group)
        for (int pair = group - 2; pair >= 0; pair -= 2)
            out += text.mid(g + pair, 2);
    return out;
}

QString QString_From_Num_With_Zero_Append(int value, int width, int base)
{
    // Qt formats only bases 2 to 36 (others divide by zero or never end).
    if (base < 2 || base > 36)
        base = 10;
    QString text = QString::number(value, base);
    while (text.length() < width)
        text.prepend(QLatin1Char('0'));
    return text.left(qMax(width, 0));
}

QString QString_Version_From_BCD_Int32_Num(uint32_t value)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const uint8_t b = static_cast<uint8_t>(value >> shift);
        if (b >> 4)
            text += QChar(char((b >> 4) + 0x30));
        text += QChar(char((b & 0x0F) + 0x30));
        if (shift)
            text += QLatin1Char('.');
    }
    return text;
}

QString QString_From_Unicode_Array(const uint8_t *bytes, int count)
{
    QString text;
    const int n = qMin(count / 2, 1024);
    for (int i = 0; i < n; ++i) {
        const ushort code = static_cast<ushort>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (code != 0)
            text += QChar(code);
    }
    return text;
}

bool QString_To_Unicode_Array(const QString &text, uint8_t *dest, int count)
{
    if (count <= 0)
        return true;
    std::memset(dest, 0, static_cast<size_t>(count));
    const int chars = qMin(text.length(), 512);
    for (int i = 0; i < chars; ++i) {
        const ushort code = text.at(i).unicode();
        if (2 * i < count)
            dest[2 * i] = static_cast<uint8_t>(code & 0xFF);
        if (2 * i + 1 < count)
            dest[2 * i + 1] = static_cast<uint8_t>(code >> 8);
    }
    return true;
}
