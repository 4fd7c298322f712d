#pragma once

// Exit statuses of radiocps-cli. The link results 1..3 of a read or write
// keep the transfer sequence's numbers.
enum class Exit {
    Ok = 0,
    PortFail = 1,
    WrongModel = 2,
    LinkFail = 3,
    VerifyFail = 4,
    FileError = 5,
    RowsRefused = 6,
    Differs = 7,
    NotVerified = 8,
    Usage = 64,
};

// Every status and what it means, for the help.
struct ExitMeaning {
    Exit status;
    const char *text;   // wrapped with '\n' to fit the help
};

inline constexpr ExitMeaning kExitMeanings[] = {
    {Exit::Ok, "success (diff: the files are equal)"},
    {Exit::PortFail, "the serial port could not be opened"},
    {Exit::WrongModel, "the radio is not model 6B05"},
    {Exit::LinkFail, "link failure: the radio did not answer properly"},
    {Exit::VerifyFail, "verify, write, clone: the radio's memory differs from the file"},
    {Exit::FileError, "a data, CSV or settings file could not be read or written"},
    {Exit::RowsRefused, "import-csv: rows were refused (the others were imported; when none\n"
                        "was, nothing was written)"},
    {Exit::Differs, "diff: the files differ"},
    {Exit::NotVerified, "write, clone: written, but the read-back to verify it failed (not verified)"},
    {Exit::Usage, "bad command line"},
};
