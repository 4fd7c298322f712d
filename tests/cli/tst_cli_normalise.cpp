// The command-line tool saves and writes what the window would: random
// images are loaded into a real main window, rebuilt by its pages and
// compared with NormaliseImage.
#include "app/mainwindow.h"
#include "cliops.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
};

namespace {

QByteArray Settings(const char *language, int chanNum)
{
    return QByteArray("[SYSSET]\nSerialNumber=ttyS0\nLanguage=") + language
           + "\nFirstRun=No\nStartBand=400\nEndBand=470\nVersion=1.01\n"
             "FilePathDef=./datafile/default.dat\nChanNum="
           + QByteArray::number(chanNum) + "\nChanLimit=1\nBandRangText=400MHz~470MHz\nSoftName=HT\n";
}

// Random images. Most bytes of a region are drawn either uniformly or from
// the small ranges where codes, digits, FM words and tones are valid, so
// both the accepted and the dropped values of every codec occur often.
QByteArray RandomImage(QRandomGenerator &rng)
{
    QByteArray b(kImageSize, '\0');
    for (int i = 0; i < kImageSize; ++i)
        b[i] = char(rng.bounded(256));
    const auto small = [&rng]() { return rng.bounded(4) != 0; };
    if (small())
        for (int o = 0x07; o <= 0x1D; ++o)
            b[o] = char(rng.bounded(rng.bounded(2) ? 12 : 18));
    if (small())
        for (int o = 0x24; o <= 0x43; ++o)
            b[o] = char(rng.bounded(rng.bounded(6) ? 16 : 256));
    if (small())
        for (int i = 0; i < 16; ++i) {
            const int word = 640 + int(rng.bounded(450));
            b[0x44 + 2 * i] = char(word >> 8);
            b[0x45 + 2 * i] = char(word & 0xFF);
        }
    if (small())
        for (int r = 0; r < kMaxChannels; ++r) {
            b[0x64 + 16 * r + 8] = char(rng.bounded(110));
            b[0x64 + 16 * r + 9] = char(rng.bounded(110));
        }
    switch (rng.bounded(4)) {
    case 0:   // as drawn: mostly above 22
        break;
    default: {
        const int count = int(rng.bounded(24));
        b[0x0A] = char(count >> 8);
        b[0x0B] = char(count & 0xFF);
    }
    }
    return b;
}

QByteArray Bytes(const RadioData_S &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()), kImageSize);
}

} // namespace

class TestCliNormalise : public QObject
{
    Q_OBJECT

private slots:
    void sameAsWindow_data();
    void sameAsWindow();
};

void TestCliNormalise::sameAsWindow_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<int>("chanNum");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("Chinese window, ChanNum 16") << QByteArray("Chinese") << 16 << 11u;
    QTest::newRow("English window, ChanNum 16") << QByteArray("English") << 16 << 12u;
    QTest::newRow("ChanNum 22 keeps every record") << QByteArray("Chinese") << 22 << 13u;
    QTest::newRow("ChanNum 5 cuts the table") << QByteArray("English") << 5 << 14u;
    QTest::newRow("ChanNum 0 stores no channel") << QByteArray("Chinese") << 0 << 15u;
}

void TestCliNormalise::sameAsWindow()
{
    QFETCH(QByteArray, language);
    QFETCH(int, chanNum);
    QFETCH(quint32, seed);

    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", Settings(language.constData(), chanNum));
    ModalCloser closer;
    MainWindow w;
    QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join('\n')));

    QRandomGenerator rng(seed);
    constexpr int kImages = 100;
    for (int n = 0; n < kImages; ++n) {
        const QByteArray bytes = RandomImage(rng);
        dir.writeFile("random.dat", bytes);
        QVERIFY(w.MenuActionOpenFile(dir.file("random.dat")));
        RadioData_S loaded;
        std::memcpy(loaded.bytes(), MainWindowProbe::image(w).bytes(), kImageSize);
        w.GetRadioData();
        const QByteArray window = Bytes(MainWindowProbe::image(w));
        const QByteArray cli = Bytes(NormaliseImage(loaded, chanNum));
        for (int i = 0; i < kImageSize; ++i)
            QVERIFY2(window.at(i) == cli.at(i),
                     qPrintable(QString::asprintf("image %d, offset 0x%03X: window %02X, cli %02X (loaded %02X)", n,
                                                  i, uint8_t(window.at(i)), uint8_t(cli.at(i)),
                                                  uint8_t(bytes.at(i)))));
    }
    QVERIFY(closer.texts.isEmpty());
}

QTEST_MAIN(TestCliNormalise)
#include "tst_cli_normalise.moc"
