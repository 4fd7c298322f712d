// The machine settings and FM radio pages on real widgets; random images through all four pages of the window.
#include "data/pagestore.h"
#include "settings/macset_form.h"
#include "settings/radioset_form.h"

#include "gui.h"
#include "imagebytes.h"
#include "mainwindowprobe.h"
#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>


namespace {

const struct { const char *box; int offset, count; } kOptions[] = {   // combo name after "comboBox_", byte, items
    {"Tail", 0x07, 2}, {"SqlLev", 0x08, 10}, {"RcvScanWay", 0x09, 2}, {"KeyTone", 0x0C, 2}, {"VoiType", 0x0D, 2},
    {"FallGroAlarm", 0x0E, 2}, {"VoxLev", 0x0F, 10}, {"TotLev", 0x10, 11}, {"PowSavLev", 0x11, 4},
    {"DtmEncCon", 0x1C, 2}, {"DtmEncTone", 0x1D, 2}};
const struct { const char *table; int offset, len; } kCodes[] = {   // DTMF: PTT ID, ID code, stun, kill
    {"DtmEncId", 0x14, 8}, {"DtmfMacId", 0x24, 4}, {"DtmRemHalId", 0x34, 8}, {"DtmKillId", 0x3C, 8}};

// The image GetRadioData() must build from pages loaded with `in`, with ChanNum `chanNum`.
QByteArray Expected(const QByteArray &in, int chanNum)
{
    auto u8 = [&in](int o) { return int(uint8_t(in.at(o))); };
    QByteArray e(kImageSize, char(0xFF));
    e[0x04] = e[0x05] = e[0x12] = e[0x13] = e[0x1E] = e[0x1F] = 0;
    for (const auto &o : kOptions)   // a code outside its list stores 0
        e[o.offset] = char(u8(o.offset) < o.count ? u8(o.offset) : 0);
    for (const auto &c : kCodes)   // DTMF digits up to the first byte above 0x0F
        for (int i = c.offset; i < c.offset + c.len && u8(i) <= 0x0F; ++i)
            e[i] = in.at(i);
    for (int i = 15; i >= 0; --i)   // FM: valid words, their bits in the mask word, the first of them
        if (const int o = 0x44 + 2 * i, word = u8(o) << 8 | u8(o + 1); word >= 650 && word <= 1080) {
            e.replace(o, 2, in.mid(o, 2));
            e[0x1F - i / 8] = char(e[0x1F - i / 8] | 1 << i % 8);
            e[0x06] = char(i);
        }
    const int n = std::min({u8(0x0A) << 8 | u8(0x0B), chanNum, 22});   // channels: bytes 0..11 of n records
    e.replace(0x0A, 2, Word(n));
    qToBigEndian(qFromBigEndian<quint32>(in.constData() + 0x28) & quint32((quint64(1) << n) - 1), e.data() + 0x28);
    for (int rec = 0x64; rec < 0x64 + 16 * n; rec += 16) {
        e.replace(rec, 8, in.mid(rec, 8));
        // Tone kinds none, CTCSS (50 codes), DCS and inverted DCS (105); a code beyond its list is no tone.
        const int tx = u8(rec + 11) >> 6, rx = u8(rec + 11) >> 4 & 3;
        const bool txOk = tx && u8(rec + 8) < (tx == 1 ? 50 : 105), rxOk = rx && u8(rec + 9) < (rx == 1 ? 50 : 105);
        e[rec + 8] = char(txOk ? u8(rec + 8) : 0);
        e[rec + 9] = char(rxOk ? u8(rec + 9) : 0);
        e[rec + 10] = char(u8(rec + 10) & 0xD8);
        e[rec + 11] = char((txOk ? tx : 0) << 6 | (rxOk ? rx : 0) << 4);
    }
    return e;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    // Literal bytes 0x07..0x1D and the item each combo shows.
    void options_data()
    {
        QTest::addColumn<QByteArray>("loaded");
        QTest::addColumn<QStringList>("shown");   // in the order of kOptions
        for (const QStringList &f : GoldenRows("settings-options.txt"))
            QTest::newRow(qPrintable(f[0])) << QByteArray::fromHex(f[1].toLatin1()) << f[2].split(' ');
    }
    void options()
    {
        QFETCH(QByteArray, loaded);
        RadioData_S image = ErasedImage();
        std::copy(loaded.begin(), loaded.end(), image.bytes() + 0x07);
        MACSET_Form mac(nullptr, &image);
        mac.UpdData();
        QStringList texts;
        for (const auto &o : kOptions)
            texts << mac.findChild<QComboBox *>(QString("comboBox_") + o.box)->currentText();
        QTEST(texts, "shown");
    }

    // A DTMF code or FM cell typed into its editor or set, then stored into a 0xFF image.
    void cells_data()
    {
        QTest::addColumn<int>("cell");   // 0..3 kCodes, 4 + i FM channel i + 1
        QTest::addColumn<QString>("keys");   // "=text": the text is set
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");   // from the field's start
        for (const QStringList &f : GoldenRows("settings-cells.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toInt() << f[2] << f[3] << QByteArray::fromHex(f[4].toLatin1());
    }
    void cells()
    {
        QFETCH(int, cell);
        QFETCH(QString, keys);
        QFETCH(QByteArray, stored);
        const int row = std::max(cell - 4, 0), col = cell >= 4;   // column 1: FM frequency
        RadioData_S image = ErasedImage();
        MACSET_Form mac(nullptr, &image);
        RADIOSET_Form radio(nullptr, &image);
        auto *table = col ? radio.findChild<QTableWidget *>("tableWidget")
                          : mac.findChild<QTableWidget *>(QString("tableWidget_") + kCodes[cell].table);
        if (keys.startsWith('='))
            table->item(row, col)->setText(keys.mid(1));
        else   // the real cell editor
            QVERIFY(TypeInto(*table, row, col, keys));
        QTEST(table->item(row, col)->text(), "text");
        col ? radio.GetData() : mac.GetData();
        QCOMPARE(Bytes(image, col ? 0x44 + 2 * row : kCodes[cell].offset, stored.size()).toHex(' '), stored.toHex(' '));
    }

    // Random images through one window: each byte as its page stores it or 0xFF, as NormaliseImage() claims.
    void everyByteAccountedFor_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("chanNum");
        for (bool english : {false, true})
            for (int chanNum : {0, 5, 16, 22})
                QTest::addRow("%s, ChanNum %d", english ? "English" : "Chinese", chanNum) << english << chanNum;
    }
    void everyByteAccountedFor()
    {
        QFETCH(bool, english);
        QFETCH(int, chanNum);
        ScratchDir dir;
        dir.setSettings({{"Language", english ? "English" : "Chinese"}, {"FirstRun", "No"},
                         {"ChanNum", QString::number(chanNum)}});
        ModalCloser closer;
        MainWindow w;
        QRandomGenerator rng(quint32(2 * chanNum + english));
        for (int n = 0; n < 50; ++n) {
            const QByteArray in = RandomImage(rng, rng.bounded(-1, 24));   // -1: the count as drawn
            dir.writeFile("random.dat", in);
            QVERIFY(w.MenuActionOpenFile(dir.file("random.dat")));
            w.GetRadioData();
            const QByteArray got = Bytes(MainWindowProbe::image(w)), expected = Expected(in, chanNum);
            for (int i = 0; i < kImageSize; ++i)
                QVERIFY2(got[i] == expected[i], qPrintable(QString::asprintf("image %d, offset 0x%03X", n, i)));
            QCOMPARE(Bytes(NormaliseImage(*reinterpret_cast<const RadioData_S *>(in.constData()), chanNum)), got);
        }

        QStringList shown;   // every text a person sees on the channel, settings and FM pages: in the window's language
        for (QWidget *page : w.findChildren<QWidget *>(QRegularExpression("^(CHANNELINFO|MACSET|RADIOSET)_Form$")))
            for (QWidget *x : page->findChildren<QWidget *>()) {
                if (!x->isVisibleTo(page))
                    continue;
                shown << x->property("text").toString() << x->property("title").toString();
                if (auto *c = qobject_cast<QComboBox *>(x))
                    shown << Items(*c);
                if (auto *t = qobject_cast<QTableWidget *>(x))
                    for (int r = -1; r < t->rowCount(); ++r)   // the header, then the cells
                        for (int c = 0; c < t->columnCount(); ++c)
                            shown << (r < 0 ? t->model()->headerData(c, Qt::Horizontal)
                                            : t->model()->index(r, c).data()).toString();
            }
        QCOMPARE(shown.filter(QRegularExpression("[\\x{4E00}-\\x{9FFF}]")).isEmpty(), english);
        QVERIFY(shown.filter("倒地报警").isEmpty());   // the man-down row stays hidden
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
