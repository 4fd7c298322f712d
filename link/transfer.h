#pragma once

#include "data/radiodata.h"

#include <functional>

class Serial;

// Result of a read or write operation.
enum PcCpOpResult_E {
    PCCPOP_OK = 0,          // handshake, 28 blocks and the end confirmed
    PCCPOP_PORT_FAIL = 1,   // the serial port could not be opened
    PCCPOP_WRONG_MODEL = 2, // the handshake data does not carry the model word
    PCCPOP_LINK_FAIL = 3,   // an exchange got no acceptable confirm within its tries
};

// Progress bar values: 5 after the handshake; then a single-precision value
// from 5.0 growing by 3.275862 per confirmed block, truncated (8, 11, ... 96);
// 100 after the end command.
using PcCpProgressFunc = std::function<void(int value)>;

// Tries of each exchange.
constexpr int kConnectTries = 5;
constexpr int kBlockTries = 2;
constexpr int kEndTries = 2;

// Opens serial on Read_Write_Port, connects (the handshake data goes to the
// image header), reads the 28 blocks into offsets 4..451 and ends. A failure
// stops at once: no retry, no end command; the image keeps what arrived.
int PcCpReadSequence(Serial *serial, RadioData_S *image, const PcCpProgressFunc &progress);

// As the read, but sends offsets 4..451 in 28 block writes. The handshake
// data overwrites the image header; its model word must equal model, and
// model must be the model word 0x6B05.
int PcCpWriteSequence(Serial *serial, RadioData_S *image, uint16_t model, const PcCpProgressFunc &progress);

// Whether a radio answers: opens serial, connects and ends, one try each
// (the handshake data goes to the image header). OK, PORT_FAIL or LINK_FAIL.
int PcCpProbe(Serial *serial, RadioData_S *image);
