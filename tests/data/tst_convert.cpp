#include "data/convert.h"
#include "data/radiodata.h"

#include <QtTest>

#include <functional>

namespace {

// A helper run on an input and an integer argument, its result as hex or
// text. Input bytes are given as hex; destinations start as six 0x55 bytes.
using Helper = std::function<QString(const QString &in, int arg)>;

const QByteArray kDest(6, char(0x55));
QByteArray Bytes(const QString &hex) { return QByteArray::fromHex(hex.toLatin1()); }
uint8_t *U8(QByteArray &b) { return reinterpret_cast<uint8_t *>(b.data()); }
QString Hex(const QByteArray &b) { return b.toHex().toUpper(); }

const Helper ToHex = [](const QString &in, int count) -> QString {
    QByteArray b = Bytes(in);
    return INT8U_Array_To_QString(U8(b), uint8_t(count));
};
const Helper FromHex = [](const QString &in, int) -> QString {
    QByteArray d = kDest;
    return QString_To_INT8U_Array(in, U8(d)) ? Hex(d.left(4)) : "false";
};
const Helper Reverse = [](const QString &in, int count) -> QString {
    QByteArray b = Bytes(in);
    Val_Little_Big_Endian_Convert(U8(b), uint8_t(count));
    return Hex(b);
};
const Helper AsciiWords = [](const QString &in, int count) -> QString {
    QByteArray b = Bytes(in);
    uint16_t words[2];
    INT8U_Array_To_INT16U_ASCII_Array(U8(b), words, uint8_t(count));
    return Hex(QByteArray(reinterpret_cast<char *>(words), 4));
};
const Helper AsciiPairs = [](const QString &in, int count) -> QString {   // "false": refused, nothing written
    QByteArray d = kDest;
    if (INT8U_ASCII_To_INT8U_Array(in.toLatin1().constData(), uint16_t(count), U8(d)))
        return Hex(d.left(count / 2));
    return d == kDest ? "false" : "false, yet written";
};
const Helper Groups = [](const QString &in, int bits) -> QString {   // "false": refused with an empty result
    bool ok = true;
    const QString out = QString_Little_Big_Endian_Convert(in, bits, ok);
    return ok ? out : out.isEmpty() ? "false" : "false, yet non-empty";
};
const Helper Bcd = [](const QString &in, int) { return QString_Version_From_BCD_Int32_Num(in.toUInt(nullptr, 16)); };
const Helper FromUnicode = [](const QString &in, int count) -> QString {
    QByteArray b = Bytes(in);
    return QString_From_Unicode_Array(U8(b), count);
};
const Helper ToUnicode = [](const QString &in, int count) -> QString {
    QByteArray d = kDest;
    return QString_To_Unicode_Array(in, U8(d), count) ? Hex(d) : "false";
};

// Zero padding in the given base: the input is the number, the argument the width.
Helper Pad(int base)
{
    return [base](const QString &in, int width) { return QString_From_Num_With_Zero_Append(in.toInt(), width, base); };
}

} // namespace

Q_DECLARE_METATYPE(Helper)

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void helpers_data()
    {
        QTest::addColumn<Helper>("helper");
        QTest::addColumn<QString>("in");
        QTest::addColumn<int>("arg");
        QTest::addColumn<QString>("out");
        const QString t256(256, '1'), t258(258, '1');
        QTest::newRow("bytes to hex, upper case") << ToHex << "FEA50A" << 3 << "FEA50A";
        QTest::newRow("zero bytes to empty hex") << ToHex << "" << 0 << "";
        QTest::newRow("hex of mixed case") << FromHex << "FEa5" << 0 << "FEA55555";
        QTest::newRow("odd hex length writes nothing") << FromHex << "FEA" << 0 << "55555555";
        QTest::newRow("hex pair that is no number stores 0") << FromHex << "ZZ01" << 0 << "00015555";
        QTest::newRow("256 hex characters: 8-bit length 0") << FromHex << t256 << 0 << "55555555";
        QTest::newRow("258 hex characters: length modulo 256") << FromHex << t258 << 0 << "11555555";
        QTest::newRow("reverse block address") << Reverse << "0080" << 2 << "8000";
        QTest::newRow("reverse 32-bit number") << Reverse << "01020304" << 4 << "04030201";
        QTest::newRow("reverse odd count keeps middle") << Reverse << "010203" << 3 << "030201";
        QTest::newRow("ASCII words in reading order") << AsciiWords << "6B05" << 2 << "36423035";
        QTest::newRow("ASCII pairs") << AsciiPairs << "6b05zz" << 6 << "6B0500";
        QTest::newRow("ASCII pairs, odd count refused") << AsciiPairs << "6B0" << 3 << "false";
        QTest::newRow("16-bit groups") << Groups << "AABBCCDD" << 16 << "BBAADDCC";
        QTest::newRow("32-bit groups") << Groups << "AABBCCDD" << 32 << "DDCCBBAA";
        QTest::newRow("ragged groups refused") << Groups << "AABBC" << 16 << "false";
        QTest::newRow("24-bit groups refused") << Groups << "AABB" << 24 << "false";
        QTest::newRow("zero padded decimal") << Pad(10) << "7" << 3 << "007";
        QTest::newRow("zero padded hex, lower case") << Pad(16) << "255" << 4 << "00ff";
        QTest::newRow("padding cuts to the left") << Pad(10) << "999" << 2 << "99";
        QTest::newRow("base 0 counts as decimal") << Pad(0) << "15" << 3 << "015";
        QTest::newRow("base 37 counts as decimal") << Pad(37) << "15" << 3 << "015";
        QTest::newRow("BCD one digit each") << Bcd << "01020304" << 0 << "1.2.3.4";
        QTest::newRow("BCD zero bytes") << Bcd << "00000105" << 0 << "0.0.1.5";
        QTest::newRow("BCD two digits") << Bcd << "12345678" << 0 << "12.34.56.78";
        QTest::newRow("BCD nibble above 9 follows '9'") << Bcd << "0000000A" << 0 << "0.0.0.:";
        QTest::newRow("UTF-16 without NULs") << FromUnicode << "410000004200" << 6 << "AB";
        QTest::newRow("UTF-16 bounded by byte count") << ToUnicode << "对A" << 5 << "F95B41000055";
    }

    void helpers()
    {
        QFETCH(Helper, helper);
        QFETCH(QString, in);
        QFETCH(int, arg);
        QFETCH(QString, out);
        QCOMPARE(helper(in, arg), out);
    }

    void imageAddressMap()
    {
        QCOMPARE(RadioAddrToOffset(0x0080), 4);
        QCOMPARE(RadioAddrToOffset(0x023F), 451);
        QCOMPARE(RadioAddrToOffset(kWindowBase + kBlockSize * 27), 436);
    }
};

QTEST_APPLESS_MAIN(TestConvert)
#include "tst_convert.moc"
