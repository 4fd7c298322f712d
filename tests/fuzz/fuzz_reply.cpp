// The confirm check sees the radio's reply as hex text of whatever bytes
// arrived. Input: byte 0 picks the exchange and bit 7 feeds the check the
// raw input as text instead; the rest is the reply.
#include "fuzztargets.h"

#include "data/convert.h"
#include "link/frames.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <vector>

namespace {

// Checks the reply against an exchange whose data lands in an exact-size
// buffer between canaries.
bool CheckReply(const QString &reply, const QByteArray &raw, uint8_t cnfCmd, uint8_t cnfLen, bool keep)
{
    std::vector<uint8_t> buf(cnfLen + 2u, 0xA7);
    PcCpComPar_S par{};
    par.CnfCmd = cnfCmd;
    par.CnfLen = cnfLen;
    par.pCnfData = keep ? buf.data() + 1 : nullptr;
    const bool accepted = PC_CP_Communication_CpCnfCheck(reply, &par);
    // A fast link ends a reply early only on a confirm the check then accepts.
    if (PC_CP_Communication_CpCnfComplete(reply, &par) && !accepted)
        return FuzzFail("reply", "a complete confirm that the check rejects");
    if (buf.front() != 0xA7 || buf.back() != 0xA7)
        return FuzzFail("reply", "confirm data written outside its place");
    if (!accepted) {
        for (uint8_t b : buf)
            if (b != 0xA7)
                return FuzzFail("reply", "a rejected reply changed the confirm data");
        return true;
    }
    // An accepted reply is FE, A5 among bytes 1..4, the confirm, 05 6B, L, data, FD.
    if (raw.isEmpty())
        return true;
    const int p = raw.indexOf('\xA5', 1);
    if (uint8_t(raw[0]) != 0xFE || p < 1 || p > 4 || raw.size() < p + 6)
        return FuzzFail("reply", "accepted a reply that does not start a frame");
    const int len = uint8_t(raw[p + 4]);
    if (uint8_t(raw[p + 1]) != cnfCmd || raw.mid(p + 2, 2) != QByteArray("\x05\x6B", 2)
        || raw.size() <= p + 5 + len || uint8_t(raw[p + 5 + len]) != 0xFD)
        return FuzzFail("reply", "accepted a malformed confirm");
    if (keep && (len != cnfLen || std::memcmp(buf.data() + 1, raw.constData() + p + 5, cnfLen) != 0))
        return FuzzFail("reply", "accepted confirm data differs from the reply");
    return true;
}

bool CheckConversions(const QByteArray &raw)
{
    if (raw.isEmpty())
        return true;
    // Bytes to text and back (the text length counts modulo 256).
    const uint8_t count = uint8_t(qMin(raw.size(), 127));
    const auto *bytes = reinterpret_cast<const uint8_t *>(raw.constData());
    const QString text = INT8U_Array_To_QString(bytes, count);
    if (text != QString::fromLatin1(raw.left(count).toHex().toUpper()))
        return FuzzFail("reply", "hex text differs from the bytes");
    std::vector<uint8_t> back(count + 1u, 0xA7);
    QString_To_INT8U_Array(text, back.data());
    if (std::memcmp(back.data(), bytes, count) != 0 || back[count] != 0xA7)
        return FuzzFail("reply", "hex text does not decode to its bytes");

    // Any text, hex or not: the decoder writes (length % 256) / 2 bytes.
    const QString any = QString::fromLatin1(raw);
    std::vector<uint8_t> sink((uint8_t(any.length()) / 2) + 1u, 0xA7);
    QString_To_INT8U_Array(any, sink.data());
    if (sink.back() != 0xA7)
        return FuzzFail("reply", "decoder wrote past its bytes");

    // ASCII pairs: count / 2 bytes, nothing for an odd count.
    const uint16_t n = uint16_t(qMin(raw.size(), 0xFFFF));
    std::vector<uint8_t> pairs(n / 2 + 1u, 0xA7);
    const bool even = INT8U_ASCII_To_INT8U_Array(raw.constData(), n, pairs.data());
    if (even != (n % 2 == 0) || pairs.back() != 0xA7)
        return FuzzFail("reply", "ASCII pairs wrote past their bytes");

    std::vector<uint16_t> words(count + 1u, 0xA7A7);
    INT8U_Array_To_INT16U_ASCII_Array(bytes, words.data(), count);
    if (words.back() != 0xA7A7)
        return FuzzFail("reply", "ASCII words wrote past their end");

    // Byte-pair reversal is its own inverse where it applies.
    for (int bits : {16, 32, 8}) {
        bool ok = true;
        const QString once = QString_Little_Big_Endian_Convert(any, bits, ok);
        if (ok && QString_Little_Big_Endian_Convert(once, bits, ok) != any)
            return FuzzFail("reply", "byte-pair reversal is not its own inverse");
    }
    std::vector<uint8_t> rev(bytes, bytes + count);
    Val_Little_Big_Endian_Convert(rev.data(), count);
    Val_Little_Big_Endian_Convert(rev.data(), count);
    if (std::memcmp(rev.data(), bytes, count) != 0)
        return FuzzFail("reply", "byte reversal is not its own inverse");
    return true;
}

} // namespace

bool FuzzReply(const uint8_t *data, size_t size)
{
    if (size < 1)
        return true;
    static const uint8_t kCnf[][2] = {{LinkCmd::ConnectCnf, 4}, {LinkCmd::ReadCnf, 16},
                                      {LinkCmd::WriteCnf, 0}, {LinkCmd::EndCnf, 0}};
    const uint8_t *c = kCnf[data[0] & 3];
    const bool keep = data[0] & 4;
    const QByteArray raw(reinterpret_cast<const char *>(data + 1), int(qMin<size_t>(size - 1, 4096)));
    if (data[0] & 0x80)
        return CheckReply(QString::fromLatin1(raw), {}, c[0], c[1], keep) && CheckConversions(raw);
    // As the transport hands it over: the bytes of the reply as hex text.
    return CheckReply(QString::fromLatin1(raw.toHex().toUpper()), raw.size() * 2 > kMaxReplyHexChars ? QByteArray() : raw,
                      c[0], c[1], keep);
}
