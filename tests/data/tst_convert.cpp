#include "data/convert.h"
#include "data/radiodata.h"

#include <QtTest>

#include <vector>

Q_DECLARE_METATYPE(std::vector<uint8_t>)

using Bytes = std::vector<uint8_t>;

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void hexFromBytes_data();
    void hexFromBytes();
    void bytesFromHex_data();
    void bytesFromHex();
    void byteReversal_data();
    void byteReversal();
    void asciiWords();
    void asciiPairs();
    void hexGroupReversal_data();
    void hexGroupReversal();
    void zeroPadded_data();
    void zeroPadded();
    void bcdVersion_data();
    void bcdVersion();
    void unicodeArrays();
    void imageAddressMap();
};

void TestConvert::hexFromBytes_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("upper case, two characters per byte") << Bytes{0xFE, 0xA5, 0x0A} << "FEA50A";
    QTest::newRow("zero bytes give an empty text") << Bytes{} << "";
    QTest::newRow("read request of block 0x0080")
        << Bytes{0xFE, 0xA5, 0xE2, 0x00, 0x80, 0x00, 0xFD, 0xFD} << "FEA5E2008000FDFD";
}

void TestConvert::hexFromBytes()
{
    QFETCH(Bytes, bytes);
    QFETCH(QString, text);
    QCOMPARE(INT8U_Array_To_QString(bytes.data(), static_cast<uint8_t>(bytes.size())), text);
}

void TestConvert::bytesFromHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Bytes>("expected");   // destination starts as 0x55 x 4
    QTest::newRow("mixed case digits") << "FEa5" << Bytes{0xFE, 0xA5, 0x55, 0x55};
    QTest::newRow("odd length writes nothing") << "FEA" << Bytes{0x55, 0x55, 0x55, 0x55};
    QTest::newRow("pair that is no number stores 0") << "ZZ01" << Bytes{0x00, 0x01, 0x55, 0x55};
    QTest::newRow("empty writes nothing") << "" << Bytes{0x55, 0x55, 0x55, 0x55};
    QTest::newRow("256 characters: 8-bit length 0 writes nothing")
        << QString(256, QLatin1Char('1')) << Bytes{0x55, 0x55, 0x55, 0x55};
    QTest::newRow("258 characters: length taken modulo 256") << QString(258, QLatin1Char('1'))
                                                             << Bytes{0x11, 0x55, 0x55, 0x55};
}

void TestConvert::bytesFromHex()
{
    QFETCH(QString, text);
    QFETCH(Bytes, expected);
    Bytes dest(4, 0x55);
    QVERIFY(QString_To_INT8U_Array(text, dest.data()));
    QCOMPARE(dest, expected);
}

void TestConvert::byteReversal_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<Bytes>("reversed");
    QTest::newRow("block address to big-endian") << Bytes{0x00, 0x80} << Bytes{0x80, 0x00};
    QTest::newRow("32-bit number") << Bytes{1, 2, 3, 4} << Bytes{4, 3, 2, 1};
    QTest::newRow("odd count keeps the middle") << Bytes{1, 2, 3} << Bytes{3, 2, 1};
    QTest::newRow("one byte unchanged") << Bytes{7} << Bytes{7};
}

void TestConvert::byteReversal()
{
    QFETCH(Bytes, bytes);
    QFETCH(Bytes, reversed);
    Val_Little_Big_Endian_Convert(bytes.data(), static_cast<uint8_t>(bytes.size()));
    QCOMPARE(bytes, reversed);
}

void TestConvert::asciiWords()
{
    const uint8_t bytes[] = {0x6B, 0x05};
    uint16_t words[3] = {0xAAAA, 0xAAAA, 0xAAAA};
    INT8U_Array_To_INT16U_ASCII_Array(bytes, words, 2);
    const char *mem = reinterpret_cast<const char *>(words);
    QCOMPARE(QByteArray(mem, 4), QByteArray("6B05"));   // characters in reading order
    QCOMPARE(words[2], uint16_t(0xAAAA));
}

void TestConvert::asciiPairs()
{
    uint8_t dest[3] = {0x55, 0x55, 0x55};
    QVERIFY(!INT8U_ASCII_To_INT8U_Array("6B0", 3, dest));
    QCOMPARE(dest[0], uint8_t(0x55));
    QVERIFY(INT8U_ASCII_To_INT8U_Array("6b05zz", 6, dest));
    QCOMPARE(dest[0], uint8_t(0x6B));
    QCOMPARE(dest[1], uint8_t(0x05));
    QCOMPARE(dest[2], uint8_t(0x00));
    QVERIFY(INT8U_ASCII_To_INT8U_Array("", 0, dest));
}

void TestConvert::hexGroupReversal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("ok");
    QTest::newRow("16 bits") << "AABB" << 16 << "BBAA" << true;
    QTest::newRow("16 bits, two groups") << "AABBCCDD" << 16 << "BBAADDCC" << true;
    QTest::newRow("32 bits") << "AABBCCDD" << 32 << "DDCCBBAA" << true;
    QTest::newRow("empty text") << "" << 32 << "" << true;
    QTest::newRow("ragged length") << "AABBC" << 16 << "" << false;
    QTest::newRow("24 bits refused") << "AABB" << 24 << "" << false;
}

void TestConvert::hexGroupReversal()
{
    QFETCH(QString, text);
    QFETCH(int, bits);
    QFETCH(QString, result);
    QFETCH(bool, ok);
    bool flag = true;
    QCOMPARE(QString_Little_Big_Endian_Convert(text, bits, flag), result);
    QCOMPARE(flag, ok);
}

void TestConvert::zeroPadded_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded decimal") << 7 << 3 << 10 << "007";
    QTest::newRow("lower-case hexadecimal") << 255 << 4 << 16 << "00ff";
    QTest::newRow("cut to the leftmost characters") << 999 << 2 << 10 << "99";
}

void TestConvert::zeroPadded()
{
    QFETCH(int, value);
    QFETCH(int, width);
    QFETCH(int, base);
    QFETCH(QString, text);
    QCOMPARE(QString_From_Num_With_Zero_Append(value, width, base), text);
}

void TestConvert::bcdVersion_data()
{
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit each") << 0x01020304u << "1.2.3.4";
    QTest::newRow("zero bytes show 0") << 0x00000105u << "0.0.1.5";
    QTest::newRow("two digits each") << 0x12345678u << "12.34.56.78";
    QTest::newRow("nibble above 9 follows '9'") << 0x0000000Au << "0.0.0.:";
}

void TestConvert::bcdVersion()
{
    QFETCH(uint, value);
    QFETCH(QString, text);
    QCOMPARE(QString_Version_From_BCD_Int32_Num(value), text);
}

void TestConvert::unicodeArrays()
{
    const uint8_t bytes[] = {0x41, 0x00, 0x00, 0x00, 0x42, 0x00};
    QCOMPARE(QString_From_Unicode_Array(bytes, 6), QString("AB"));

    uint8_t dest[6];
    memset(dest, 0x55, sizeof dest);
    QVERIFY(QString_To_Unicode_Array(QString::fromUtf8("对A"), dest, 5));
    const uint8_t expected[] = {0xF9, 0x5B, 0x41, 0x00, 0x00, 0x55};   // 对 is U+5BF9
    QCOMPARE(QByteArray(reinterpret_cast<char *>(dest), 6),
             QByteArray(reinterpret_cast<const char *>(expected), 6));
    QCOMPARE(QString_From_Unicode_Array(dest, 4), QString::fromUtf8("对A"));
}

void TestConvert::imageAddressMap()
{
    QCOMPARE(RadioAddrToOffset(0x0080), 4);
    QCOMPARE(RadioAddrToOffset(0x023F), 451);
    QCOMPARE(RadioAddrToOffset(kWindowBase + 16 * 27), 436);
    RadioData_S image;
    image.Header.ModelLo = 0x05;
    image.Header.ModelHi = 0x6B;
    QCOMPARE(image.at(0) | (image.at(1) << 8), int(kModelWord));
}

QTEST_APPLESS_MAIN(TestConvert)
#include "tst_convert.moc"
