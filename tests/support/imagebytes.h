#pragma once

#include "data/radiodata.h"

#include <QByteArray>
#include <QRandomGenerator>

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

// Random image bytes. Mostly each region is drawn from the small range where its option codes, DTMF digits, FM
// words or tone codes are valid, so that the values a codec keeps and those it drops both occur often; every
// tone code of every kind occurs. `channels` in use, or when negative the count as drawn (mostly above 22).
QByteArray RandomImage(QRandomGenerator &rng, int channels = 5);
// The same from a seed; normalised: as the window saves it with ChanNum 16.
QByteArray RandomImage(quint32 seed, bool normalised = false);
