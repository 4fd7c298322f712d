#pragma once

// Exit statuses of radiocps-cli. The link results 1..3 of a read or write
// keep their numbers.
enum CliStatus_E {
    CliOk = 0,             // success; diff: the files are equal
    CliPortFail = 1,       // the serial port could not be opened
    CliWrongModel = 2,     // the radio is not of model 0x6B05
    CliLinkFail = 3,       // an exchange got no acceptable reply
    CliVerifyFail = 4,     // the radio's memory differs from the file
    CliFileError = 5,      // a data, CSV or settings file could not be read or written
    CliRowsRefused = 6,    // import-csv: rows refused; the others imported and written, if any
    CliDiffers = 7,        // diff: the files differ
    CliNotVerified = 8,    // write: written, but the read-back for verification failed
    CliUsage = 64,         // bad command line
};
