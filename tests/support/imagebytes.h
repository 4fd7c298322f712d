#pragma once

#include "data/radiodata.h"

#include <QByteArray>

// A 452-byte image of one byte value; 0xFF is erased memory.
RadioData_S FilledImage(uint8_t fill = 0xFF);
// Bytes offset..offset + len - 1 of an image.
QByteArray Bytes(const RadioData_S &image, int offset = 0, int len = kImageSize);
// A big-endian 16-bit word.
QByteArray Word(int value);
// A 452-byte image, header 05 6B 02 07, whose window bytes differ from their neighbours.
QByteArray PatternImage(int seed);
