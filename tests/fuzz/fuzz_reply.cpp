// The confirm check sees the radio's reply as hex text of whatever bytes
// arrived. Input: byte 0 picks the exchange and bit 7 feeds the check the
// raw input as text instead; the rest is the reply. Every destination has
// exactly its size: the sanitizer builds catch a write past it.
#include "fuzztargets.h"

#include "data/convert.h"
#include "link/frames.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

namespace {

bool CheckReply(const QString &reply, const QByteArray &raw, uint8_t cnfCmd, uint8_t cnfLen, bool keep)
{
    const std::unique_ptr<uint8_t[]> buf(new uint8_t[cnfLen]);   // never null, even for 0 bytes
    std::memset(buf.get(), 0xA7, cnfLen);
    PcCpComPar_S par{0, 0, nullptr, cnfCmd, cnfLen, keep ? buf.get() : nullptr, 0, 0};
    const bool accepted = PC_CP_Communication_CpCnfCheck(reply, &par);
    // A fast link ends a reply early only on a confirm the check then accepts.
    if (PC_CP_Communication_CpCnfComplete(reply, &par) && !accepted)
        return FuzzFail("reply", "a complete confirm that the check rejects");
    if (!accepted && std::count(buf.get(), buf.get() + cnfLen, 0xA7) != cnfLen)
        return FuzzFail("reply", "a rejected reply wrote confirm data");
    // An accepted reply is FE, A5 among bytes 1..4, the confirm, 05 6B, L, data, FD.
    if (!accepted || raw.isEmpty())
        return true;
    const int p = raw.indexOf('\xA5', 1);
    if (uint8_t(raw[0]) != 0xFE || p < 1 || p > 4 || raw.size() < p + 6)
        return FuzzFail("reply", "accepted a reply that does not start a frame");
    const int len = uint8_t(raw[p + 4]);
    if (uint8_t(raw[p + 1]) != cnfCmd || raw.mid(p + 2, 2) != QByteArray("\x05\x6B", 2)
        || raw.size() <= p + 5 + len || uint8_t(raw[p + 5 + len]) != 0xFD)
        return FuzzFail("reply", "accepted a malformed confirm");
    return !keep || (len == cnfLen && std::memcmp(buf.get(), raw.constData() + p + 5, cnfLen) == 0)
            || FuzzFail("reply", "accepted confirm data differs from the reply");
}

bool CheckConversions(const QByteArray &raw)
{
    if (raw.isEmpty())
        return true;
    // Bytes to text and back (the text length counts modulo 256).
    const uint8_t count = uint8_t(qMin(raw.size(), 127));
    const auto *bytes = reinterpret_cast<const uint8_t *>(raw.constData());
    const QString text = INT8U_Array_To_QString(bytes, count);
    std::vector<uint8_t> back(count);
    QString_To_INT8U_Array(text, back.data());
    if (text != QString::fromLatin1(raw.left(count).toHex().toUpper()) || !std::equal(back.begin(), back.end(), bytes))
        return FuzzFail("reply", "hex text differs from the bytes or does not decode to them");

    // Writers of any text, hex or not, into their sizes: the decoder
    // (length % 256) / 2, ASCII pairs count / 2 (none for an odd count), ASCII words count.
    const QString any = QString::fromLatin1(raw);
    const uint16_t n = uint16_t(qMin(raw.size(), 0xFFFF));
    std::vector<uint8_t> decoded(uint8_t(any.length()) / 2u), pairs(n / 2u);
    std::vector<uint16_t> words(count);
    QString_To_INT8U_Array(any, decoded.data());
    INT8U_Array_To_INT16U_ASCII_Array(bytes, words.data(), count);
    if (INT8U_ASCII_To_INT8U_Array(raw.constData(), n, pairs.data()) != (n % 2 == 0))
        return FuzzFail("reply", "ASCII pairs of an odd count taken, or of an even count refused");

    std::vector<uint8_t> rev(bytes, bytes + count);   // byte reversal reverses
    Val_Little_Big_Endian_Convert(rev.data(), count);
    return std::equal(rev.begin(), rev.end(), std::make_reverse_iterator(bytes + count))
            || FuzzFail("reply", "byte reversal does not reverse the bytes");
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
