#pragma once

#include <QString>

#include <cstdint>

class Serial;

// Request frame, PC to radio, 8 + N bytes:
//   0     FE
//   1     A5
//   2     request command
//   3..4  address field, the two bytes of Addr in storage order
//   5     N, number of data bytes
//   6..   N data bytes
//   6+N   FD FD
// Confirm frame, radio to PC, 7 + L bytes:
//   0     FE
//   1     A5
//   2     confirm command (request command + 1)
//   3..4  05 6B, the model word low byte first, in every confirm
//   5     L, number of data bytes
//   6..   L data bytes
//   6+L   FD
// No checksum either way.

namespace LinkCmd {
constexpr uint8_t ConnectReq = 0xE0;    // address 05 6B; confirm data: model lo, hi, version major, minor
constexpr uint8_t ConnectCnf = 0xE1;
constexpr uint8_t ReadReq = 0xE2;       // address high byte first; confirm data: 16 bytes
constexpr uint8_t ReadCnf = 0xE3;
constexpr uint8_t WriteReq = 0xE4;      // address high byte first; request data: 16 bytes
constexpr uint8_t WriteCnf = 0xE5;
constexpr uint8_t EndReq = 0xE6;        // address 05 6B
constexpr uint8_t EndCnf = 0xE7;
} // namespace LinkCmd

constexpr uint8_t kFrameStart0 = 0xFE;
constexpr uint8_t kFrameStart1 = 0xA5;
constexpr uint8_t kFrameEnd = 0xFD;
constexpr int kRequestOverhead = 8;
constexpr int kConfirmOverhead = 7;
// Longest confirm of the command table is 23 bytes; a reply of more than
// 127 bytes (254 hex characters) cannot be one.
constexpr int kMaxReplyHexChars = 254;

// One request/confirm exchange.
struct PcCpComPar_S {
    uint8_t ReqCmd;
    uint8_t ReqLen;       // N
    uint8_t *pReqData;    // may be none when N is 0
    uint8_t CnfCmd;       // confirm command expected
    uint8_t CnfLen;       // confirm data length expected where data is kept
    uint8_t *pCnfData;    // where the confirm data goes; none: not kept
    uint16_t Addr;        // sent as its two stored bytes in storage order
    uint8_t TryNum;
};

// Request frame of par as upper-case hex text.
QString PC_CP_Communication_ReqText(const PcCpComPar_S &par);

// Sends the request of par and waits for an accepted confirm, at most
// par->TryNum tries. On success the confirm data, if kept, is at pCnfData.
bool PC_CP_Communication_WReqRCnfData(Serial *serial, PcCpComPar_S *par);

// Accepts or rejects one reply (hex text). checkPar points to the
// PcCpComPar_S whose CnfCmd, CnfLen and pCnfData form the expectation.
// Accepted: FE first, the first A5 among bytes 1..4 (p), then the confirm
// command, 05 6B, L, L data bytes and FD, all inside the reply; where data is
// kept L must equal CnfLen, and the L bytes are copied to pCnfData.
bool PC_CP_Communication_CpCnfCheck(const QString &reply, void *checkPar);

// Whether the reply so far holds a confirm the check accepts whose L equals
// CnfLen, kept or not; copies nothing. Ends a reply early on a fast link.
bool PC_CP_Communication_CpCnfComplete(const QString &reply, void *checkPar);
