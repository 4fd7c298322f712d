// The machine settings and FM radio pages on real widgets; every byte of a random image through all four pages.
#include "settings/macset_form.h"
#include "settings/radioset_form.h"

#include "gui.h"
#include "imagebytes.h"
#include "mainwindowprobe.h"
#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>

namespace {

// Option combos: object name after "comboBox_", byte, every item in code order.
const QStringList kOffOn = {"关闭", "打开"};
const struct { const char *box; int offset; QStringList items; } kOptions[] = {
    {"Tail", 0x07, kOffOn}, {"SqlLev", 0x08, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {"RcvScanWay", 0x09, {"载波", "时间"}}, {"KeyTone", 0x0C, kOffOn}, {"VoiType", 0x0D, {"中文", "英文"}},
    {"FallGroAlarm", 0x0E, kOffOn}, {"VoxLev", 0x0F, {"关闭", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {"TotLev", 0x10, {"关闭", "30S", "60S", "90S", "120S", "150S", "180S", "210S", "240S", "270S", "300S"}},
    {"PowSavLev", 0x11, {"关闭", "1:1", "1:2", "1:3"}}, {"DtmEncCon", 0x1C, {"发射开始", "发射结束"}},
    {"DtmEncTone", 0x1D, kOffOn}};
// DTMF code tables: PTT ID, ID code, stun, kill.
const struct { const char *table; int offset, len; } kCodes[] = {
    {"DtmEncId", 0x14, 8}, {"DtmfMacId", 0x24, 4}, {"DtmRemHalId", 0x34, 8}, {"DtmKillId", 0x3C, 8}};

// One cell loaded amid 0x00 bytes (DTMF digits, empty FM words), typed into its real editor or set, stored into
// a 0xFF image. cell: 0..3 the DTMF codes, 4 + i FM channel i + 1; loaded: hex at the field (null: not loaded);
// keys: typed (null: the text is set); stored: hex from the field's start (FM: the word, or empty for none).
const int fm = 4;
const struct { const char *name; int cell; const char *loaded, *keys, *text, *stored; } kCells[] = {
    {"three digits then 0xFF", 0, "010203FF", nullptr, "123", "010203FF"},
    {"the field's end ends eight digits", 3, "0A0B0C0D0E0F0001", nullptr, "ABCDEF01", "0A0B0C0D0E0F0001FF"},
    {"a byte above 0x0F ends the code", 2, "01021004", nullptr, "12", "0102FF"},
    {"erased field is empty", 0, "FF", nullptr, "", "FFFFFFFFFFFFFFFF"},
    {"ID code is four digits", 1, "0102030405", nullptr, "1234", "01020304FF"},
    {"cell of nine: 0x44 not written", 3, nullptr, nullptr, "123456789", "0102030405060708FF"},
    {"ID cell of eight: 0x28 not written", 1, nullptr, nullptr, "12345678", "01020304FF"},
    {"a non-hex character ends the code", 3, nullptr, nullptr, "12G45", "0102FFFF"},
    {"a full-width digit is no digit", 2, nullptr, nullptr, "１2", "FFFF"},
    {"typed: two characters commit as empty", 0, nullptr, "12", "", "FFFF"},
    {"typed PTT ID: A to F", 0, nullptr, "ABCDEF12", "ABCDEF12", "0A0B0C0D0E0F0102"},
    {"typed stun: F to A, ninth refused", 2, nullptr, "FEDCBA987", "FEDCBA98", "0F0E0D0C0B0A0908"},
    {"typed kill: A to F; lower case, G, * and # refused", 3, nullptr, "Aa1Bb2Cc*D#dEeGFf", "A1B2CDEF",
     "0A010B020C0D0E0F"},
    {"typed ID: digits only, at most four", 1, nullptr, "0A5b6#9F7", "0569", "00050609FF"},
    {"875 in channel 1 is 87.5, bit 0 of 0x1F", fm + 0, "036B", nullptr, "87.5", "036B"},
    {"650 in channel 9 is 65.0, bit 0 of 0x1E", fm + 8, "028A", nullptr, "65.0", "028A"},
    {"1080 in channel 16 is 108.0, bit 7 of 0x1E", fm + 15, "0438", nullptr, "108.0", "0438"},
    {"649 is empty", fm + 1, "0289", nullptr, "", ""},
    {"1081 is empty", fm + 2, "0439", nullptr, "", ""},
    {"typed 67.35 into channel 8 is 67.4, bit 7 of 0x1F", fm + 7, nullptr, "67.35", "67.4", "02A2"},
    {"typed 50 is raised to 65.0", fm + 5, nullptr, "50", "65.0", "028A"},
    {"typed 99999 is limited to 108.0", fm + 6, nullptr, "99999", "108.0", "0438"},
    {"typed letters are refused", fm + 10, nullptr, "9a8.b5", "98.5", "03D9"},
    {"typed: at most five characters", fm + 11, nullptr, "100.15", "100.1", "03E9"},
    {"typed empty: mask 0, start 0xFF", fm + 12, nullptr, "", "", ""},
    {"cell 120.0 stores nothing", fm + 0, nullptr, nullptr, "120.0", ""},
    {"cell abc stores nothing", fm + 2, nullptr, nullptr, "abc", ""}};

QByteArray Hex(const char *text) { return QByteArray::fromHex(text); }

// The image GetRadioData() must build from pages loaded with `in`.
QByteArray Expected(const QByteArray &in)
{
    auto u8 = [&in](int o) { return int(uint8_t(in.at(o))); };
    QByteArray e(kImageSize, char(0xFF));
    e[0x04] = e[0x05] = e[0x12] = e[0x13] = 0;
    for (const auto &o : kOptions)   // a code outside its list stores 0
        e[o.offset] = char(u8(o.offset) < o.items.size() ? u8(o.offset) : 0);
    for (const auto &c : kCodes)   // DTMF digits up to the first byte above 0x0F
        for (int i = c.offset; i < c.offset + c.len && u8(i) <= 0x0F; ++i)
            e[i] = in.at(i);
    int mask = 0, start = 0xFF;
    for (int i = 15; i >= 0; --i)   // FM: valid words, their mask bits, the first of them
        if (const int o = 0x44 + 2 * i, word = u8(o) << 8 | u8(o + 1); word >= 650 && word <= 1080) {
            e.replace(o, 2, in.mid(o, 2));
            mask |= 1 << i;
            start = i;
        }
    e[0x06] = char(start);
    e.replace(0x1E, 2, Word(mask));
    const int n = std::min(u8(0x0A) << 8 | u8(0x0B), 16);   // channels: bytes 0..11 of at most 16 records
    e.replace(0x0A, 2, Word(n));
    const quint32 scan = qFromBigEndian<quint32>(in.constData() + 0x28) & ((quint64(1) << n) - 1);
    e.replace(0x28, 4, Word(scan >> 16) + Word(scan));
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
    // Literal bytes 0x07..0x1D: each combo's whole list and shown item; then the same items chosen in a page set to
    // first items store the bytes. Over the three patterns each two-item option has its own run of codes, so two
    // combos swapped, even with equal lists, fail a case.
    void options_data()
    {
        QTest::addColumn<QByteArray>("loaded");
        QTest::addColumn<QStringList>("shown");   // in the order of kOptions
        QTest::addColumn<QByteArray>("stored");
        auto row = [](const char *name, const char *loaded, const QStringList &shown, const char *stored = nullptr) {
            QTest::newRow(name) << Hex(loaded) << shown << Hex(stored ? stored : loaded);
        };
        // 07 tail, 08 squelch, 09 scan, 0A-0B channel count, 0C 1750 Hz, 0D voice, 0E man-down, 0F VOX, 10 time-out,
        // 11 battery save, 12-13 always 0, 14-1B PTT ID code, 1C send condition, 1D sidetone
        row("pattern 1", "01 03 00 FFFF 01 00 01 07 05 02 0000 FFFFFFFFFFFFFFFF 00 01",
            {"打开", "3", "载波", "打开", "中文", "打开", "7", "150S", "1:2", "发射开始", "打开"});
        row("pattern 2", "00 06 01 FFFF 01 00 00 01 02 01 0000 FFFFFFFFFFFFFFFF 01 01",
            {"关闭", "6", "时间", "打开", "中文", "关闭", "1", "60S", "1:1", "发射结束", "打开"});
        row("pattern 3", "00 00 00 FFFF 00 01 01 04 08 00 0000 FFFFFFFFFFFFFFFF 01 01",
            {"关闭", "0", "载波", "关闭", "英文", "打开", "4", "240S", "关闭", "发射结束", "打开"});
        row("every last code", "01 09 01 FFFF 01 01 01 09 0A 03 0000 FFFFFFFFFFFFFFFF 01 01",
            {"打开", "9", "时间", "打开", "英文", "打开", "9", "300S", "1:3", "发射结束", "打开"});
        row("one beyond each list shows the first item, stores 0",
            "02 0A 02 FFFF 02 02 02 0A 0B 04 7777 FFFFFFFFFFFFFFFF 02 02",
            {"关闭", "0", "载波", "关闭", "中文", "关闭", "关闭", "关闭", "关闭", "发射开始", "关闭"},
            "00 00 00 FFFF 00 00 00 00 00 00 0000 FFFFFFFFFFFFFFFF 00 00");
    }
    void options()
    {
        QFETCH(QByteArray, loaded);
        QFETCH(QStringList, shown);
        QFETCH(QByteArray, stored);
        RadioData_S image = ErasedImage();
        std::copy(loaded.begin(), loaded.end(), image.bytes() + 0x07);
        MACSET_Form mac(nullptr, &image);
        mac.UpdData();
        auto combo = [&mac](int i) { return mac.findChild<QComboBox *>(QString("comboBox_") + kOptions[i].box); };
        for (int i = 0; i < int(std::size(kOptions)); ++i) {
            const QStringList items = Items(*combo(i));
            QVERIFY2(items == kOptions[i].items, qPrintable(kOptions[i].box + (": " + items.join(','))));
            QVERIFY2(combo(i)->currentText() == shown[i],
                     qPrintable(kOptions[i].box + (" shows " + combo(i)->currentText())));
        }
        image = ErasedImage();
        mac.UpdData();   // every combo on its first item
        for (int i = 0; i < int(std::size(kOptions)); ++i)
            combo(i)->setCurrentIndex(combo(i)->findText(shown[i]));
        mac.GetData();
        QCOMPARE(Bytes(image, 0x07, stored.size()).toHex(' '), stored.toHex(' '));
    }

    void cells_data()
    {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kCells)); ++i)
            QTest::newRow(kCells[i].name) << i;
    }
    void cells()
    {
        QFETCH(int, i);
        const auto &c = kCells[i];
        const int row = std::max(c.cell - fm, 0), col = c.cell >= fm;   // column 1: FM frequency
        const int offset = col ? 0x44 + 2 * row : kCodes[c.cell].offset;
        RadioData_S image{};
        MACSET_Form mac(nullptr, &image);
        RADIOSET_Form radio(nullptr, &image);
        auto *table = col ? radio.findChild<QTableWidget *>("tableWidget")
                          : mac.findChild<QTableWidget *>(QString("tableWidget_") + kCodes[c.cell].table);
        for (int r = 0; r < table->rowCount(); ++r)   // stale text that loading or typing must replace
            table->item(r, col)->setText(r != row ? (c.loaded ? "99.9" : "") : c.keys || c.loaded ? "99.9" : c.text);
        if (c.loaded) {
            const QByteArray loaded = Hex(c.loaded);
            std::copy(loaded.begin(), loaded.end(), image.bytes() + offset);
            col ? radio.UpdData() : mac.UpdData();
        }
        if (c.keys)   // the real cell editor
            QVERIFY(TypeInto(*table, row, col, c.keys));
        QCOMPARE(table->item(row, col)->text(), QString(c.text));
        image = ErasedImage();
        col ? radio.GetData() : mac.GetData();
        QByteArray want = Hex(c.stored), got = Bytes(image, offset, want.size());
        if (col) {   // FM: the mask, the 16 words, the start channel
            got = Bytes(image, 0x1E, 2) + Bytes(image, 0x44, 32) + Bytes(image, 0x06, 1);
            want = Word(want.isEmpty() ? 0 : 1 << row) + QByteArray(32, char(0xFF)).replace(2 * row, want.size(), want)
                   + char(want.isEmpty() ? 0xFF : row);
        }
        QCOMPARE(got.toHex(' '), want.toHex(' '));
    }

    // A file of random bytes through all four pages: each byte is what its page stores or 0xFF; twice the same.
    // Both pages show in the window's language.
    void everyByteAccountedFor_data()
    {
        QTest::addColumn<int>("seed");   // odd: English; 3 and 6: uniform bytes; 3 * (seed - 1) channels
        for (int seed = 1; seed <= 8; ++seed)
            QTest::addRow("%s, %s, %d channels", seed % 2 ? "English" : "Chinese", seed % 3 ? "radio-like" : "uniform",
                          3 * seed - 3) << seed;
    }
    void everyByteAccountedFor()
    {
        QFETCH(int, seed);
        const bool english = seed % 2, uniform = seed % 3 == 0;
        QRandomGenerator rng{quint32(seed)};
        QByteArray loaded(kImageSize, '\0');
        for (char &c : loaded)   // radio-like: option codes, digits and their ends, tone codes
            c = char(rng.bounded(uniform ? 256 : 18));
        for (int o = 0x44; !uniform && o < 0x64; o += 2)   // FM words about 650..1080
            loaded.replace(o, 2, Word(640 + rng.bounded(450)));
        loaded.replace(0x0A, 2, Word(3 * seed - 3));
        ScratchDir dir;
        dir.setLanguage(english ? "English" : "Chinese");
        dir.writeFile("random.dat", loaded);
        ModalCloser closer;
        MainWindow w;
        QVERIFY(w.MenuActionOpenFile(dir.file("random.dat")));
        w.GetRadioData();
        const QByteArray first = Bytes(MainWindowProbe::image(w)), expected = Expected(loaded);
        for (int i = 0; i < kImageSize; ++i)
            QVERIFY2(first[i] == expected[i], qPrintable(QString::asprintf("offset 0x%03X", i)));
        w.UpdataRadioData();
        w.GetRadioData();
        QCOMPARE(Bytes(MainWindowProbe::image(w)).toHex(' '), first.toHex(' '));

        QStringList shown;   // every text a person can see
        for (QWidget *page : QList<QWidget *>{w.findChild<MACSET_Form *>(), w.findChild<RADIOSET_Form *>()}) {
            for (QLabel *l : page->findChildren<QLabel *>())
                shown << (l->isVisibleTo(page) ? l->text() : QString());
            for (QGroupBox *g : page->findChildren<QGroupBox *>())
                shown << g->title();
            for (QComboBox *c : page->findChildren<QComboBox *>())
                shown << (c->isVisibleTo(page) ? Items(*c) : QStringList());
        }
        auto *table = w.findChild<RADIOSET_Form *>()->findChild<QTableWidget *>("tableWidget");
        shown << table->horizontalHeaderItem(0)->text() << table->horizontalHeaderItem(1)->text();
        QCOMPARE(shown.filter(QRegularExpression("[\\x{4E00}-\\x{9FFF}]")).isEmpty(), english);
        QCOMPARE(shown.mid(shown.size() - 2), english ? QStringList({"FM Channel", "Freq (MHz)"})
                                                      : QStringList({"收音机信道", "频率(Mhz)"}));
        QVERIFY(shown.filter("倒地报警").isEmpty());   // the man-down row stays hidden
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
