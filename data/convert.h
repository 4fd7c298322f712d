#pragma once

#include <QString>
#include <cstdint>

// Byte, hexadecimal-text and byte-order helpers. Hexadecimal text produced
// here is upper case, two characters per byte, no separators.

// "%02X" of each of the first count bytes; count 0 gives a null text.
QString INT8U_Array_To_QString(const uint8_t *bytes, uint8_t count);

// Decodes pairs of hex digits into dest. The text length is taken modulo
// 256; an odd or zero length writes nothing. A pair that is not a number
// stores 0. Always true; dest must hold (length % 256) / 2 bytes.
bool QString_To_INT8U_Array(const QString &text, uint8_t *dest);

// Reverses the first count bytes in place (little- <-> big-endian).
void Val_Little_Big_Endian_Convert(uint8_t *bytes, uint8_t count);

// Each byte as two hex characters in one 16-bit word, first character in
// the low-order byte.
void INT8U_Array_To_INT16U_ASCII_Array(const uint8_t *bytes, uint16_t *words, uint8_t count);

// Pairs of ASCII hex characters to bytes; an odd count writes nothing and
// returns false.
bool INT8U_ASCII_To_INT8U_Array(const char *chars, uint16_t count, uint8_t *dest);

// Reverses the byte pairs inside each 16- or 32-bit group of a hex text.
// Other widths or a ragged length set ok to false and give an empty text;
// on success ok is left as it was.
QString QString_Little_Big_Endian_Convert(const QString &text, int bits, bool &ok);

// value in base, zero-padded to width, then cut to its leftmost width
// characters. A base outside 2..36 counts as 10.
QString QString_From_Num_With_Zero_Append(int value, int width, int base);

// "1.2.3.4" from the BCD bytes of value, most significant first.
QString QString_Version_From_BCD_Int32_Num(uint32_t value);

// count/2 little-endian UTF-16 code units (at most 1024), NULs removed.
QString QString_From_Unicode_Array(const uint8_t *bytes, int count);

// Clears count bytes of dest, then writes the text as little-endian UTF-16
// code units: at most 512 characters and at most count bytes.
bool QString_To_Unicode_Array(const QString &text, uint8_t *dest, int count);
