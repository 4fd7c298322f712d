#pragma once

#include "data/radiodata.h"

#include <QByteArray>

#include <cstring>

// A 452-byte image of 0xFF, as erased memory.
inline RadioData_S ErasedImage()
{
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    return image;
}

// Bytes offset..offset + len - 1 of an image.
inline QByteArray Bytes(const RadioData_S &image, int offset = 0, int len = kImageSize)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, len);
}

// A 16-bit word as the image holds it, big-endian.
inline QByteArray Word(int value) { return QByteArray(1, char(value >> 8)) + char(value); }
