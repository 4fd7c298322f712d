#include "frames.h"

#include "data/convert.h"
#include "link/serial.h"

#include <cstring>

QString PC_CP_Communication_ReqText(const PcCpComPar_S &par)
{
    uint8_t head[6] = {kFrameStart0, kFrameStart1, par.ReqCmd, 0, 0, par.ReqLen};
    std::memcpy(&head[3], &par.Addr, 2);
    QString text = INT8U_Array_To_QString(head, sizeof(head));
    if (par.ReqLen && par.pReqData)
        text += INT8U_Array_To_QString(par.pReqData, par.ReqLen);
    text += QStringLiteral("FDFD");
    return text;
}

bool PC_CP_Communication_WReqRCnfData(Serial *serial, PcCpComPar_S *par)
{
    const QString request = PC_CP_Communication_ReqText(*par);
    SerialWirteReadData_S rec;
    rec.pWriteText = &request;
    rec.pCheckPar = par;
    rec.pCheckFunc = PC_CP_Communication_CpCnfCheck;
    rec.TryNum = par->TryNum;
    rec.pCompleteFunc = PC_CP_Communication_CpCnfComplete;
    return serial->SelfWriteReadData(&rec);
}

namespace {

// Finds the confirm of par in the reply (see PC_CP_Communication_CpCnfCheck);
// its bytes are decoded into bytes, its data starts at *data, L is *len.
bool FindConfirm(const QString &reply, const PcCpComPar_S &par, uint8_t *bytes, int *data, int *len)
{
    if (reply.length() > kMaxReplyHexChars)
        return false;

    // Odd or empty text decodes to nothing.
    const int n = (reply.length() % 2) ? 0 : reply.length() / 2;
    if (n)
        QString_To_INT8U_Array(reply, bytes);

    if (n < 1 || bytes[0] != kFrameStart0)
        return false;

    int p = 0;
    for (int i = 1; i <= 4 && i < n; ++i) {
        if (bytes[i] == kFrameStart1) {
            p = i;
            break;
        }
    }
    if (p == 0 || p + 4 >= n)
        return false;

    *len = bytes[p + 4];
    *data = p + 5;
    return p + 5 + *len < n && bytes[p + 1] == par.CnfCmd && bytes[p + 2] == 0x05 && bytes[p + 3] == 0x6B
            && bytes[p + 5 + *len] == kFrameEnd;
}

} // namespace

bool PC_CP_Communication_CpCnfCheck(const QString &reply, void *checkPar)
{
    auto *par = static_cast<PcCpComPar_S *>(checkPar);
    uint8_t bytes[kMaxReplyHexChars / 2] = {};
    int data = 0, len = 0;
    if (!FindConfirm(reply, *par, bytes, &data, &len))
        return false;

    if (par->pCnfData) {
        // Data that does not fill its place exactly would leave stale bytes
        // behind or run past it.
        if (len != par->CnfLen)
            return false;
        if (len)
            std::memcpy(par->pCnfData, &bytes[data], static_cast<size_t>(len));
    }
    return true;
}

bool PC_CP_Communication_CpCnfComplete(const QString &reply, void *checkPar)
{
    const auto *par = static_cast<const PcCpComPar_S *>(checkPar);
    uint8_t bytes[kMaxReplyHexChars / 2] = {};
    int data = 0, len = 0;
    return FindConfirm(reply, *par, bytes, &data, &len) && len == par->CnfLen;
}
