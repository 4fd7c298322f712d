#pragma once

// Fuzz target bodies. Each takes one input, must never crash or touch memory
// it does not own, and returns false when a property of the code under test
// fails (the fuzzer then aborts and keeps the input). The same bodies replay
// the corpora in the plain and sanitizer test suites.

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// Confirm check of a reply, and the hexadecimal conversions.
bool FuzzReply(const uint8_t *data, size_t size);
// Data file load, then the four pages filled and read back (needs a QApplication).
bool FuzzDataFile(const uint8_t *data, size_t size);
// Settings file read, the numbers taken from it, and save.
bool FuzzSysSet(const uint8_t *data, size_t size);
// CSV channel plan import, stored, exported and imported again.
bool FuzzCsv(const uint8_t *data, size_t size);

// Reports a failed property with its input's context; false.
inline bool FuzzFail(const char *target, const char *what)
{
    qWarning("fuzz %s: %s", target, what);
    return false;
}
