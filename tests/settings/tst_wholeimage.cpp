// Every byte of the image through all four pages of the main window: a file
// of random bytes is loaded and rebuilt, and each byte is either what its
// page stores or 0xFF.
#include "app/mainwindow.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
};

namespace {

constexpr int kChanNum = 16;   // ChanNum of the settings used here

QByteArray Settings(const char *language)
{
    return QByteArray("[SYSSET]\nSerialNumber=ttyS0\nLanguage=") + language
           + "\nFirstRun=No\nStartBand=400\nEndBand=470\nVersion=1.01\n"
             "FilePathDef=./datafile/default.dat\nChanNum=16\nChanLimit=1\n"
             "BandRangText=400MHz~470MHz\nSoftName=HT-6B05\nChCompName=Test\nEnCompName=Test\n";
}

// A random image; "radio-like" images draw most bytes from small ranges so
// that valid codes, digits, frequencies and tones occur often.
QByteArray RandomImage(quint32 seed, bool radioLike, int chanCount)
{
    QRandomGenerator rng(seed);
    QByteArray b(kImageSize, '\0');
    for (int i = 0; i < kImageSize; ++i)
        b[i] = char(rng.bounded(256));
    if (radioLike) {
        for (int o = 0x07; o <= 0x1D; ++o)
            b[o] = char(rng.bounded(13));      // option codes 0..12, DTMF digits and ends
        for (int o : {0x24, 0x25, 0x26, 0x27, 0x34, 0x3A, 0x3C, 0x40})
            b[o] = char(rng.bounded(18));
        for (int i = 0; i < 16; ++i) {
            const int word = 640 + int(rng.bounded(450));   // 640..1089
            b[0x44 + 2 * i] = char(word >> 8);
            b[0x45 + 2 * i] = char(word & 0xFF);
        }
        for (int r = 0; r < kMaxChannels; ++r) {
            b[0x64 + 16 * r + 8] = char(rng.bounded(110));
            b[0x64 + 16 * r + 9] = char(rng.bounded(110));
        }
    }
    if (chanCount >= 0) {
        b[0x0A] = char(chanCount >> 8);
        b[0x0B] = char(chanCount & 0xFF);
    }
    return b;
}

// Tone list position of a stored kind and code; a code beyond its kind's list is no tone.
int TonePos(int kind, int code)
{
    const int first[] = {0, 1, 51, 156};
    const int size[] = {1, 50, 105, 105};
    if (kind == 0 || code >= size[kind])
        return 0;
    return first[kind] + code;
}

void ToneStore(int pos, int *kind, int *code)
{
    *kind = pos < 1 ? 0 : pos <= 50 ? 1 : pos <= 155 ? 2 : 3;
    const int first[] = {0, 1, 51, 156};
    *code = *kind == 0 ? 0 : pos - first[*kind];
}

// The image GetRadioData() must build from pages loaded with `in`.
QByteArray Expected(const QByteArray &in)
{
    auto u8 = [&in](int o) { return int(uint8_t(in.at(o))); };
    QByteArray e(kImageSize, char(0xFF));

    // Machine settings and DTMF options: a code outside the list stores 0.
    const int options[][2] = {{0x07, 2}, {0x08, 10}, {0x09, 2}, {0x0C, 2}, {0x0D, 2}, {0x0E, 2},
                              {0x0F, 10}, {0x10, 11}, {0x11, 4}, {0x1C, 2}, {0x1D, 2}};
    for (const auto &o : options)
        e[o[0]] = char(u8(o[0]) < o[1] ? u8(o[0]) : 0);
    e[0x12] = e[0x13] = 0;

    // DTMF codes: the digits up to the first byte above 0x0F.
    const int codes[][2] = {{0x14, 8}, {0x24, 4}, {0x34, 8}, {0x3C, 8}};
    for (const auto &c : codes)
        for (int i = 0; i < c[1] && u8(c[0] + i) <= 0x0F; ++i)
            e[c[0] + i] = in.at(c[0] + i);

    // FM: valid words, their mask and the first of them.
    int mask = 0, start = 0xFF;
    for (int i = 0; i < 16; ++i) {
        const int word = u8(0x44 + 2 * i) << 8 | u8(0x45 + 2 * i);
        if (word < 650 || word > 1080)
            continue;
        e[0x44 + 2 * i] = in.at(0x44 + 2 * i);
        e[0x45 + 2 * i] = in.at(0x45 + 2 * i);
        mask |= 1 << i;
        if (start == 0xFF)
            start = i;
    }
    e[0x06] = char(start);
    e[0x1E] = char(mask >> 8);
    e[0x1F] = char(mask & 0xFF);

    // Channels: at most ChanNum records, bytes 0..11 re-encoded, 12..15 left.
    const int n = std::min(u8(0x0A) << 8 | u8(0x0B), kChanNum);
    e[0x04] = e[0x05] = 0;
    e[0x0A] = char(n >> 8);
    e[0x0B] = char(n & 0xFF);
    const quint32 scan = quint32(u8(0x28)) << 24 | u8(0x29) << 16 | u8(0x2A) << 8 | u8(0x2B);
    const quint32 kept = n == 0 ? 0 : scan & ((quint32(1) << n) - 1);
    for (int k = 0; k < 4; ++k)
        e[0x28 + k] = char(kept >> (24 - 8 * k));
    for (int r = 0; r < n; ++r) {
        const int rec = 0x64 + 16 * r;
        for (int k = 0; k < 8; ++k)
            e[rec + k] = in.at(rec + k);
        int txKind, txCode, rxKind, rxCode;
        ToneStore(TonePos(u8(rec + 11) >> 6, u8(rec + 8)), &txKind, &txCode);
        ToneStore(TonePos(u8(rec + 11) >> 4 & 3, u8(rec + 9)), &rxKind, &rxCode);
        e[rec + 8] = char(txCode);
        e[rec + 9] = char(rxCode);
        e[rec + 10] = char(u8(rec + 10) & 0xD8);
        e[rec + 11] = char(txKind << 6 | rxKind << 4);
    }
    return e;
}

QByteArray Bytes(const RadioData_S &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()), kImageSize);
}

} // namespace

class TestWholeImage : public QObject
{
    Q_OBJECT

private slots:
    void everyByteAccountedFor_data();
    void everyByteAccountedFor();
};

void TestWholeImage::everyByteAccountedFor_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("radioLike");
    QTest::addColumn<int>("chanCount");   // -1: as drawn
    for (const char *lang : {"Chinese", "English"}) {
        const QByteArray l(lang);
        QTest::addRow("%s: uniform random bytes", lang) << l << 1u << false << -1;
        QTest::addRow("%s: uniform random, 3 channels", lang) << l << 2u << false << 3;
        QTest::addRow("%s: radio-like, no channel", lang) << l << 3u << true << 0;
        QTest::addRow("%s: radio-like, 16 channels", lang) << l << 4u << true << 16;
        QTest::addRow("%s: radio-like, 20 channels cut to 16", lang) << l << 5u << true << 20;
        QTest::addRow("%s: radio-like, 7 channels", lang) << l << 6u << true << 7;
    }
}

void TestWholeImage::everyByteAccountedFor()
{
    QFETCH(QByteArray, language);
    QFETCH(quint32, seed);
    QFETCH(bool, radioLike);
    QFETCH(int, chanCount);

    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", Settings(language.constData()));
    QByteArray loaded = RandomImage(seed, radioLike, chanCount);
    dir.writeFile("random.dat", loaded);

    ModalCloser closer;
    MainWindow w;
    QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join('\n')));
    QVERIFY(w.MenuActionOpenFile(dir.file("random.dat")));
    // Loading puts the program's model word into the header.
    loaded[0] = char(kModelWord & 0xFF);
    loaded[1] = char(kModelWord >> 8);
    QCOMPARE(Bytes(MainWindowProbe::image(w)), loaded);

    w.GetRadioData();
    const QByteArray first = Bytes(MainWindowProbe::image(w));
    const QByteArray expected = Expected(loaded);
    for (int i = 0; i < kImageSize; ++i)
        QVERIFY2(first.at(i) == expected.at(i),
                 qPrintable(QString::asprintf("offset 0x%03X: got %02X, expected %02X (loaded %02X)", i,
                                              uint8_t(first.at(i)), uint8_t(expected.at(i)),
                                              uint8_t(loaded.at(i)))));

    w.UpdataRadioData();
    w.GetRadioData();
    QCOMPARE(Bytes(MainWindowProbe::image(w)).toHex(' '), first.toHex(' '));
}

QTEST_MAIN(TestWholeImage)
#include "tst_wholeimage.moc"
