#include "transfer.h"

#include "link/frames.h"
#include "link/serial.h"

#include <cstring>

namespace {

constexpr float kProgressStart = 5.0f;
constexpr float kProgressStep = 3.275862f;

// Addr holds the address field as stored bytes, sent in storage order.
uint16_t AddrField(uint8_t first, uint8_t second)
{
    const uint8_t bytes[2] = {first, second};
    uint16_t stored;
    std::memcpy(&stored, bytes, 2);
    return stored;
}

// 0x6B05 low byte first: 05 6B.
uint16_t ModelAddrField()
{
    return AddrField(kModelWord & 0xFF, kModelWord >> 8);
}

// Block addresses high byte first: 0x0080 is 00 80.
uint16_t BlockAddrField(uint16_t addr)
{
    return AddrField(static_cast<uint8_t>(addr >> 8), static_cast<uint8_t>(addr & 0xFF));
}

void Report(const PcCpProgressFunc &progress, int value)
{
    if (progress)
        progress(value);
}

// Handshake; the confirm data lands in the image header.
bool Connect(Serial *serial, RadioData_S *image, int tries = kConnectTries)
{
    PcCpComPar_S par{};
    par.ReqCmd = LinkCmd::ConnectReq;
    par.CnfCmd = LinkCmd::ConnectCnf;
    par.CnfLen = kHeaderSize;
    par.pCnfData = image->bytes();
    par.Addr = ModelAddrField();
    par.TryNum = static_cast<uint8_t>(tries);
    return PC_CP_Communication_WReqRCnfData(serial, &par);
}

bool End(Serial *serial, int tries = kEndTries)
{
    PcCpComPar_S par{};
    par.ReqCmd = LinkCmd::EndReq;
    par.CnfCmd = LinkCmd::EndCnf;
    par.Addr = ModelAddrField();
    par.TryNum = static_cast<uint8_t>(tries);
    return PC_CP_Communication_WReqRCnfData(serial, &par);
}

uint16_t HeaderModel(const RadioData_S &image)
{
    return static_cast<uint16_t>(image.Header.ModelLo | (image.Header.ModelHi << 8));
}

// Block n: radio address 0x0080 + 16 n, image offset 4 + 16 n.
bool Block(Serial *serial, RadioData_S *image, int n, bool write)
{
    uint8_t *data = image->bytes() + kHeaderSize + kBlockSize * n;
    PcCpComPar_S par{};
    if (write) {
        par.ReqCmd = LinkCmd::WriteReq;
        par.ReqLen = kBlockSize;
        par.pReqData = data;
        par.CnfCmd = LinkCmd::WriteCnf;
    } else {
        par.ReqCmd = LinkCmd::ReadReq;
        par.CnfCmd = LinkCmd::ReadCnf;
        par.CnfLen = kBlockSize;
        par.pCnfData = data;
    }
    par.Addr = BlockAddrField(static_cast<uint16_t>(kWindowBase + kBlockSize * n));
    par.TryNum = kBlockTries;
    return PC_CP_Communication_WReqRCnfData(serial, &par);
}

int Transfer(Serial *serial, RadioData_S *image, bool write, uint16_t model, const PcCpProgressFunc &progress)
{
    if (!serial->SelfOpen())
        return PCCPOP_PORT_FAIL;
    if (!Connect(serial, image))
        return PCCPOP_LINK_FAIL;
    float value = kProgressStart;
    Report(progress, static_cast<int>(value));

    const bool modelOk = write ? HeaderModel(*image) == model && model == kModelWord
                               : HeaderModel(*image) == kModelWord;
    if (!modelOk)
        return PCCPOP_WRONG_MODEL;

    for (int n = 0; n < kBlockCount; ++n) {
        if (!Block(serial, image, n, write))
            return PCCPOP_LINK_FAIL;
        value += kProgressStep;
        Report(progress, static_cast<uint8_t>(static_cast<int>(value)));
    }
    if (!End(serial))
        return PCCPOP_LINK_FAIL;
    Report(progress, 100);
    return PCCPOP_OK;
}

} // namespace

int PcCpReadSequence(Serial *serial, RadioData_S *image, const PcCpProgressFunc &progress)
{
    return Transfer(serial, image, false, 0, progress);
}

int PcCpWriteSequence(Serial *serial, RadioData_S *image, uint16_t model, const PcCpProgressFunc &progress)
{
    return Transfer(serial, image, true, model, progress);
}

int PcCpProbe(Serial *serial, RadioData_S *image)
{
    if (!serial->SelfOpen())
        return PCCPOP_PORT_FAIL;
    return Connect(serial, image, 1) && End(serial, 1) ? PCCPOP_OK : PCCPOP_LINK_FAIL;
}
