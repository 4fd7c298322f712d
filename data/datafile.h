#pragma once

#include "radiodata.h"

#include <QByteArray>
#include <QString>

// Data files (*.dat) are the 452-byte image written out byte for byte.

enum class DataFileError {
    None,
    CannotOpen,   // missing, locked or not writable
    WrongSize,    // not exactly 452 bytes
    CannotWrite,  // could not create, write or replace the file
};

// Reads a data file into image. The file must exist, open for reading and
// writing, not be marked read-only, and be exactly 452 bytes (checked before
// anything is read). On success offsets 0..1 are replaced by model,
// little-endian; on failure image is untouched. readOnly: for a reader that
// never writes the file back, which opens it for reading only and also takes
// a file marked read-only.
DataFileError LoadRadioDataFile(const QString &path, uint16_t model, RadioData_S *image, bool readOnly = false);

// Writes the 452 bytes of image to path. The file is replaced atomically: a
// temporary file in the same folder is written, then renamed over the old
// one, so a failed save leaves the old file as it was. An existing file that
// is not writable, or marked read-only, is left alone and reported as
// CannotWrite. why, if given, receives the reason of a failure.
// privateFile: readable and writable by its owner only, whatever the umask.
DataFileError SaveRadioDataFile(const QString &path, const RadioData_S &image, QString *why = nullptr,
                                bool privateFile = false);
// Any file's bytes, saved the same way.
DataFileError SaveFileBytes(const QString &path, const QByteArray &bytes, QString *why = nullptr,
                            bool privateFile = false);
// Whether a save to path can succeed, as far as can be told before anything is
// written: a name that is no folder, in an existing folder the user may
// write, not over a file marked read-only or not writable. why: the reason.
bool CanSaveTo(const QString &path, QString *why);

// Version from the header, "V" major "." minor as two digits: V1.05, V255.255.
QString HeaderVersionText(const ConnectCnfData_S &header);

// The default data file loaded at start and by "New".
extern const char kDefaultDataFile[];
