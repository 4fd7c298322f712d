#include "data/convert.h"
#include "data/radiodata.h"

#include <QtTest>

// Each helper case: input bytes or text, an integer argument, the expected
// output rendered as hex or text.
class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void helpers_data();
    void helpers();
    void imageAddressMap();
};

void TestConvert::helpers_data()
{
    QTest::addColumn<QString>("fn");
    QTest::addColumn<QString>("in");
    QTest::addColumn<int>("arg");
    QTest::addColumn<QString>("out");
    const QString t256(256, '1'), t258(258, '1');
    QTest::newRow("bytes to hex, upper case") << "toHex" << "FEA50A" << 3 << "FEA50A";
    QTest::newRow("zero bytes to empty hex") << "toHex" << "" << 0 << "";
    QTest::newRow("hex of mixed case") << "fromHex" << "FEa5" << 0 << "FEA55555";
    QTest::newRow("odd hex length writes nothing") << "fromHex" << "FEA" << 0 << "55555555";
    QTest::newRow("hex pair that is no number stores 0") << "fromHex" << "ZZ01" << 0 << "00015555";
    QTest::newRow("256 hex characters: 8-bit length 0") << "fromHex" << t256 << 0 << "55555555";
    QTest::newRow("258 hex characters: length modulo 256") << "fromHex" << t258 << 0 << "11555555";
    QTest::newRow("reverse block address") << "reverse" << "0080" << 2 << "8000";
    QTest::newRow("reverse 32-bit number") << "reverse" << "01020304" << 4 << "04030201";
    QTest::newRow("reverse odd count keeps middle") << "reverse" << "010203" << 3 << "030201";
    QTest::newRow("ASCII words in reading order") << "asciiWords" << "6B05" << 2 << "36423035";
    QTest::newRow("ASCII pairs") << "asciiPairs" << "6b05zz" << 6 << "6B0500";
    QTest::newRow("ASCII pairs, odd count refused") << "asciiPairs" << "6B0" << 3 << "false";
    QTest::newRow("16-bit groups") << "groups" << "AABBCCDD" << 16 << "BBAADDCC";
    QTest::newRow("32-bit groups") << "groups" << "AABBCCDD" << 32 << "DDCCBBAA";
    QTest::newRow("ragged groups refused") << "groups" << "AABBC" << 16 << "false";
    QTest::newRow("24-bit groups refused") << "groups" << "AABB" << 24 << "false";
    QTest::newRow("zero padded decimal") << "pad" << "7" << 3 << "007";
    QTest::newRow("zero padded hex, lower case") << "pad16" << "255" << 4 << "00ff";
    QTest::newRow("padding cuts to the left") << "pad" << "999" << 2 << "99";
    QTest::newRow("base 0 counts as decimal") << "pad0" << "15" << 3 << "015";
    QTest::newRow("base 37 counts as decimal") << "pad37" << "15" << 3 << "015";
    QTest::newRow("BCD one digit each") << "bcd" << "01020304" << 0 << "1.2.3.4";
    QTest::newRow("BCD zero bytes") << "bcd" << "00000105" << 0 << "0.0.1.5";
    QTest::newRow("BCD two digits") << "bcd" << "12345678" << 0 << "12.34.56.78";
    QTest::newRow("BCD nibble above 9 follows '9'") << "bcd" << "0000000A" << 0 << "0.0.0.:";
    QTest::newRow("UTF-16 without NULs") << "fromUnicode" << "410000004200" << 6 << "AB";
    QTest::newRow("UTF-16 bounded by byte count") << "toUnicode" << QString::fromUtf8("对A") << 5
                                                  << "F95B41000055";
}

void TestConvert::helpers()
{
    QFETCH(QString, fn);
    QFETCH(QString, in);
    QFETCH(int, arg);
    QFETCH(QString, out);
    QByteArray bytes = QByteArray::fromHex(in.toLatin1());
    auto *b = reinterpret_cast<uint8_t *>(bytes.data());
    QByteArray dest(6, char(0x55));
    auto *d = reinterpret_cast<uint8_t *>(dest.data());
    bool ok = true;
    QString result;
    if (fn == "toHex") {
        result = INT8U_Array_To_QString(b, uint8_t(arg));
    } else if (fn == "fromHex") {
        QVERIFY(QString_To_INT8U_Array(in, d));
        result = dest.left(4).toHex().toUpper();
    } else if (fn == "reverse") {
        Val_Little_Big_Endian_Convert(b, uint8_t(arg));
        result = bytes.toHex().toUpper();
    } else if (fn == "asciiWords") {
        uint16_t words[2];
        INT8U_Array_To_INT16U_ASCII_Array(b, words, uint8_t(arg));
        result = QByteArray(reinterpret_cast<char *>(words), 4).toHex().toUpper();
    } else if (fn == "asciiPairs") {
        ok = INT8U_ASCII_To_INT8U_Array(in.toLatin1().constData(), uint16_t(arg), d);
        result = ok ? QString(dest.left(arg / 2).toHex().toUpper()) : "false";
        if (!ok)
            QCOMPARE(dest, QByteArray(6, char(0x55)));
    } else if (fn == "groups") {
        result = QString_Little_Big_Endian_Convert(in, arg, ok);
        if (!ok)
            result = result.isEmpty() ? "false" : "non-empty";
    } else if (fn.startsWith("pad")) {
        result = QString_From_Num_With_Zero_Append(in.toInt(), arg, fn == "pad" ? 10 : fn.mid(3).toInt());
    } else if (fn == "bcd") {
        result = QString_Version_From_BCD_Int32_Num(in.toUInt(nullptr, 16));
    } else if (fn == "fromUnicode") {
        result = QString_From_Unicode_Array(b, arg);
    } else if (fn == "toUnicode") {
        QVERIFY(QString_To_Unicode_Array(in, d, arg));
        result = dest.toHex().toUpper();
    }
    QCOMPARE(result, out);
}

void TestConvert::imageAddressMap()
{
    QCOMPARE(RadioAddrToOffset(0x0080), 4);
    QCOMPARE(RadioAddrToOffset(0x023F), 451);
    QCOMPARE(RadioAddrToOffset(kWindowBase + kBlockSize * 27), 436);
}

QTEST_APPLESS_MAIN(TestConvert)
#include "tst_convert.moc"
