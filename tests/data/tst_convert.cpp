#include "app/releaseinfo.h"
#include "data/convert.h"

#include "scratchdir.h"

#include <QtTest>

#include <functional>

namespace {

// A helper run on an input (also given as the bytes it spells in hex) and an
// integer argument, its result as hex or text. Destinations start as six
// 0x55 bytes; "false": refused.
using Helper = std::function<QString(const QString &in, QByteArray bytes, int arg)>;

const QByteArray kDest(6, char(0x55));
uint8_t *U8(QByteArray &b) { return reinterpret_cast<uint8_t *>(b.data()); }
QString Hex(const QByteArray &b) { return b.toHex().toUpper(); }

const QMap<QString, Helper> kHelpers = {
    {"ToHex", [](auto, QByteArray b, int count) { return INT8U_Array_To_QString(U8(b), uint8_t(count)); }},
    {"FromHex", [](const QString &in, auto, int copies) {
         QByteArray d = kDest;
         return QString_To_INT8U_Array(in.repeated(copies), U8(d)) ? Hex(d.left(4)) : "false";
     }},
    {"Reverse", [](auto, QByteArray b, int n) { Val_Little_Big_Endian_Convert(U8(b), uint8_t(n)); return Hex(b); }},
    {"AsciiWords", [](auto, QByteArray b, int count) {
         QByteArray words(4, 0);
         INT8U_Array_To_INT16U_ASCII_Array(U8(b), reinterpret_cast<uint16_t *>(words.data()), uint8_t(count));
         return Hex(words);
     }},
    {"AsciiPairs", [](const QString &in, auto, int count) -> QString {   // a refusal writes nothing
         QByteArray d = kDest;
         if (INT8U_ASCII_To_INT8U_Array(in.toLatin1().constData(), uint16_t(count), U8(d)))
             return Hex(d.left(count / 2));
         return d == kDest ? "false" : "false, yet written";
     }},
    {"Groups", [](const QString &in, auto, int bits) -> QString {   // a refusal gives an empty text
         bool ok = true;
         const QString out = QString_Little_Big_Endian_Convert(in, bits, ok);
         return ok ? out : out.isEmpty() ? "false" : "false, yet non-empty";
     }},
    {"Bcd", [](const QString &in, auto, int) { return QString_Version_From_BCD_Int32_Num(in.toUInt(nullptr, 16)); }},
    {"FromUnicode", [](auto, QByteArray b, int count) { return QString_From_Unicode_Array(U8(b), count); }},
    {"ToUnicode", [](const QString &in, auto, int count) -> QString {
         QByteArray d = kDest;
         return QString_To_Unicode_Array(in, U8(d), count) ? Hex(d) : "false";
     }},
    {"Pad", [](const QString &in, auto, int width) {   // input: value and base
         return QString_From_Num_With_Zero_Append(in.section(' ', 0, 0).toInt(), width, in.section(' ', 1).toInt());
     }},
    // The status row's: build date and time, clock, file name of a path.
    {"ReleaseTime", [](const QString &in, auto, int) { return ReleaseTimeText(in.left(11), in.mid(12)); }},
    {"Clock", [](const QString &in, auto, int) { return ClockText(QDateTime::fromString(in, Qt::ISODate)); }},
    {"StatusFileName", [](const QString &in, auto, int) { return StatusFileName(in); }}};

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void helpers_data()
    {
        QTest::addColumn<QString>("helper");
        QTest::addColumn<QString>("in");
        QTest::addColumn<int>("arg");
        QTest::addColumn<QString>("out");
        for (const QStringList &f : GoldenRows("convert-helpers.txt"))
            QTest::newRow(qPrintable(f.value(4))) << f[0] << f.value(1) << f.value(2).toInt() << f.value(3);
    }

    void helpers()
    {
        QFETCH(QString, helper);
        QFETCH(QString, in);
        QFETCH(int, arg);
        QVERIFY2(kHelpers.contains(helper), qPrintable(helper));
        QTEST(kHelpers[helper](in, QByteArray::fromHex(in.toLatin1()), arg), "out");
    }
};

QTEST_APPLESS_MAIN(TestConvert)
#include "tst_convert.moc"
