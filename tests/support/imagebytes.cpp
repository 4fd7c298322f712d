#include "imagebytes.h"

#include <cstring>

RadioData_S FilledImage(uint8_t fill)
{
    RadioData_S image;
    std::memset(image.bytes(), fill, kImageSize);
    return image;
}

QByteArray Bytes(const RadioData_S &image, int offset, int len)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, len);
}

QByteArray Word(int value) { return QByteArray(1, char(value >> 8)) + char(value); }

QByteArray PatternImage(int seed)
{
    QByteArray image = QByteArray::fromHex("056B0207");
    for (int i = kHeaderSize; i < kImageSize; ++i)
        image += char((i * 7 + seed) & 0xFF);
    return image;
}
