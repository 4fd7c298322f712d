// Byte layouts of the DTMF codes and FM presets, and the FM editor arithmetic.
#include "settings/settingscodec.h"

#include <QtTest>

#include <cstring>

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text);
}

RadioData_S FilledImage(uint8_t value)
{
    RadioData_S image;
    std::memset(image.bytes(), value, kImageSize);
    return image;
}

QByteArray ImageBytes(const RadioData_S &image, int offset, int len)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, len);
}

} // namespace

class TestSettingsCodec : public QObject
{
    Q_OBJECT

private slots:
    void storeSettingOutsideListStoresZero();
    void dtmfDecode_data();
    void dtmfDecode();
    void dtmfEncode_data();
    void dtmfEncode();
    void dtmfFieldsLieAtTheirOffsets_data();
    void dtmfFieldsLieAtTheirOffsets();
    void fmStore_data();
    void fmStore();
    void fmEditorCommit_data();
    void fmEditorCommit();
};

void TestSettingsCodec::storeSettingOutsideListStoresZero()
{
    RadioData_S image = FilledImage(0xFF);
    StoreSetting(&image, SetTotLev, 11);
    StoreSetting(&image, SetPowSav, -1);
    QCOMPARE(image.at(0x10), uint8_t(0));
    QCOMPARE(image.at(0x11), uint8_t(0));
    StoreSetting(&image, SetTotLev, 10);
    QCOMPARE(image.at(0x10), uint8_t(10));
}

void TestSettingsCodec::dtmfDecode_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("code");
    QTest::newRow("three digits then 0xFF") << Hex("010203FFFFFFFFFF") << "123";
    QTest::newRow("eight digits: the field's end ends the code") << Hex("0A0B0C0D0E0F0001") << "ABCDEF01";
    QTest::newRow("any byte above 0x0F ends the code") << Hex("0102100405060708") << "12";
    QTest::newRow("first byte above 0x0F is the empty code") << Hex("10010203") << "";
    QTest::newRow("erased field is empty") << Hex("FFFFFFFFFFFFFFFF") << "";
    QTest::newRow("ID code of four zeros") << Hex("00000000") << "0000";
    QTest::newRow("ID code 123") << Hex("010203FF") << "123";
    QTest::newRow("one stored digit shows as it is") << Hex("05FFFFFFFFFFFFFF") << "5";
}

void TestSettingsCodec::dtmfDecode()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, code);
    // One digit byte follows the field: the field's end must stop the walk.
    QByteArray bytes = field + Hex("01");
    QCOMPARE(DtmfCodeFromField(reinterpret_cast<const uint8_t *>(bytes.constData()), field.size()), code);
}

void TestSettingsCodec::dtmfEncode_data()
{
    QTest::addColumn<int>("len");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("123 into a filled field") << 8 << "123" << Hex("010203FFFFFFFFFF");
    QTest::newRow("eight digits fill the field") << 8 << "ABCDEF01" << Hex("0A0B0C0D0E0F0001");
    QTest::newRow("empty code leaves the field 0xFF") << 8 << "" << Hex("FFFFFFFFFFFFFFFF");
    QTest::newRow("one digit is stored as it is") << 8 << "5" << Hex("05FFFFFFFFFFFFFF");
    QTest::newRow("nine characters never pass the field") << 8 << "123456789" << Hex("0102030405060708");
    QTest::newRow("ID code takes four digits") << 4 << "12345678" << Hex("01020304");
    QTest::newRow("a non-hex character ends the code") << 8 << "12G45" << Hex("0102FFFFFFFFFFFF");
    QTest::newRow("a space ends the code") << 8 << "1 2" << Hex("01FFFFFFFFFFFFFF");
    QTest::newRow("full-width digit is not a digit") << 8 << QString::fromUtf8("１2") << Hex("FFFFFFFFFFFFFFFF");
    QTest::newRow("lower-case hex digits are digits") << 8 << "ab" << Hex("0A0BFFFFFFFFFFFF");
}

void TestSettingsCodec::dtmfEncode()
{
    QFETCH(int, len);
    QFETCH(QString, code);
    QFETCH(QByteArray, field);
    QByteArray bytes(len + 4, char(0xFF));
    StoreDtmfCode(reinterpret_cast<uint8_t *>(bytes.data()), len, code);
    QCOMPARE(bytes.left(len).toHex(' '), field.toHex(' '));
    QCOMPARE(bytes.mid(len), QByteArray(4, char(0xFF)));
    // What was stored reads back as the code it stands for.
    const QString shown = DtmfCodeFromField(reinterpret_cast<const uint8_t *>(bytes.constData()), len);
    QVERIFY(code.toUpper().startsWith(shown));
}

void TestSettingsCodec::dtmfFieldsLieAtTheirOffsets_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("len");
    QTest::newRow("PTT ID code 0x14..0x1B") << int(DtmfPttId) << 0x14 << 8;
    QTest::newRow("ID code 0x24..0x27") << int(DtmfMacId) << 0x24 << 4;
    QTest::newRow("stun code 0x34..0x3B") << int(DtmfStun) << 0x34 << 8;
    QTest::newRow("kill code 0x3C..0x43") << int(DtmfKill) << 0x3C << 8;
}

void TestSettingsCodec::dtmfFieldsLieAtTheirOffsets()
{
    QFETCH(int, id);
    QFETCH(int, offset);
    QFETCH(int, len);
    RadioData_S image = FilledImage(0xFF);
    StoreDtmfCode(&image, DtmfCodeId_E(id), "0123456789ABCDEF");
    for (int i = 0; i < kImageSize; ++i) {
        const bool inField = i >= offset && i < offset + len;
        QCOMPARE(image.at(i), uint8_t(inField ? i - offset : 0xFF));
    }
    QCOMPARE(DtmfCode(image, DtmfCodeId_E(id)), QString("0123456789ABCDEF").left(len));
}

void TestSettingsCodec::fmStore_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QByteArray>("words");     // 0x44..0x63
    QTest::addColumn<QByteArray>("mask");      // 0x1E, 0x1F
    QTest::addColumn<int>("start");            // 0x06

    const QByteArray none(32, char(0xFF));
    auto words = [&none](QList<QPair<int, const char *>> set) {
        QByteArray w = none;
        for (const auto &p : set)
            w.replace(2 * p.first, 2, Hex(p.second));
        return w;
    };
    QStringList cells;
    for (int i = 0; i < 16; ++i)
        cells << QString();
    QStringList c1 = cells;
    c1[0] = "87.5";
    c1[2] = "100.1";
    QTest::newRow("channels 1 and 3") << c1 << words({{0, "036B"}, {2, "03E9"}}) << Hex("0005") << 0;
    QStringList c16 = cells;
    c16[15] = "108.0";
    QTest::newRow("channel 16 is bit 7 of 0x1E") << c16 << words({{15, "0438"}}) << Hex("8000") << 15;
    QStringList c9 = cells;
    c9[8] = "65.0";
    c9[12] = "90.0";
    QTest::newRow("channel 9 is bit 0 of 0x1E") << c9 << words({{8, "028A"}, {12, "0384"}}) << Hex("1100") << 8;
    QTest::newRow("no channel: mask 0, start 0xFF") << cells << none << Hex("0000") << 0xFF;
    QStringList bad = cells;
    bad[0] = "120.0";
    bad[1] = "6.5";
    bad[2] = "abc";
    bad[3] = "87";
    bad[4] = "1.0.8.0";
    QTest::newRow("texts out of range are empty channels") << bad << words({{4, "0438"}}) << Hex("0010") << 4;
}

void TestSettingsCodec::fmStore()
{
    QFETCH(QStringList, cells);
    QFETCH(QByteArray, words);
    QFETCH(QByteArray, mask);
    QFETCH(int, start);
    RadioData_S image = FilledImage(0xFF);
    StoreFmChannels(&image, cells);
    QCOMPARE(ImageBytes(image, 0x44, 32).toHex(' '), words.toHex(' '));
    QCOMPARE(ImageBytes(image, 0x1E, 2).toHex(' '), mask.toHex(' '));
    QCOMPARE(int(image.at(0x06)), start);
    // Nothing else is written.
    RadioData_S rest = image;
    std::memset(rest.bytes() + 0x44, 0xFF, 32);
    rest.at(0x1E) = rest.at(0x1F) = rest.at(0x06) = 0xFF;
    QCOMPARE(ImageBytes(rest, 0, kImageSize), QByteArray(kImageSize, char(0xFF)));
}

void TestSettingsCodec::fmEditorCommit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed");
    QTest::newRow("88.06 rounds to 88.1") << "88.06" << "88.1";
    QTest::newRow("empty stays empty") << "" << "";
    QTest::newRow("a lone point counts as 0") << "." << "65.0";
    QTest::newRow("99999 MHz does not overflow") << "99999" << "108.0";
    QTest::newRow("1e300 does not overflow") << "1e300" << "108.0";
}

void TestSettingsCodec::fmEditorCommit()
{
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    QCOMPARE(FmEditorCommitText(typed, kFmLowestHz, kFmHighestHz), committed);
}

QTEST_APPLESS_MAIN(TestSettingsCodec)
#include "tst_settingscodec.moc"
