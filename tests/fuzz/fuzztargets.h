#pragma once

// Fuzz target bodies. Each takes one input, must never crash or touch memory
// it does not own, and returns false when a property of the code under test
// fails (the fuzzer then aborts and keeps the input). The same bodies replay
// the corpora in the plain and sanitizer test suites.

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

bool FuzzReply(const uint8_t *data, size_t size);      // confirm check of a reply, hexadecimal conversions
bool FuzzDataFile(const uint8_t *data, size_t size);   // data file through the four pages (needs a QApplication)
bool FuzzSysSet(const uint8_t *data, size_t size);     // settings file read, its numbers used, saved
bool FuzzCsv(const uint8_t *data, size_t size);        // CSV plan imported, stored, exported, imported again

// Reports a failed property with its input's context; false.
inline bool FuzzFail(const char *target, const char *what)
{
    qWarning("fuzz %s: %s", target, what);
    return false;
}
