// The machine settings and FM radio pages on real widgets; every byte of a random image through all four pages.
#include "app/mainwindow.h"
#include "settings/macset_form.h"
#include "settings/radioset_form.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <memory>

class MainWindowProbe
{
public:
    static const RadioData_S &image(const MainWindow &w) { return w.m_image; }
};

namespace {

QByteArray Hex(const char *text) { return QByteArray::fromHex(text); }
void Fill(RadioData_S *image, uint8_t value) { std::fill_n(image->bytes(), kImageSize, value); }
QByteArray Word(int value) { return QByteArray(1, char(value >> 8)) + char(value); }   // big-endian
QByteArray Bytes(const RadioData_S &image, int offset = 0, int len = kImageSize)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, len);
}

// Opens the cell editor as a click would, types, presses Enter; returns the cell text.
QString TypeIntoCell(QTableWidget *table, int row, int column, const QString &keys)
{
    table->editItem(table->item(row, column));
    auto *edit = qobject_cast<QLineEdit *>(table->indexWidget(table->model()->index(row, column)));
    if (!edit)
        return QStringLiteral("<no line edit>");
    edit->clear();
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();   // the delegate commits through a queued call
    return table->item(row, column)->text();
}

// Channel count of the images of seeds 1..6 (-1: as drawn). Seeds 1 and 2 give uniform bytes; the others
// draw every byte from 0..17 (option codes, digits and their ends, tone codes) and FM words from 640..1089.
const int kChanCounts[] = {-1, 3, 0, 16, 20, 7};

QByteArray RandomImage(int seed)
{
    QRandomGenerator rng{quint32(seed)};
    QByteArray b(kImageSize, '\0');
    for (char &c : b)
        c = char(rng.bounded(seed > 2 ? 18 : 256));
    for (int o = 0x44; seed > 2 && o < 0x64; o += 2)
        b.replace(o, 2, Word(640 + rng.bounded(450)));
    if (kChanCounts[seed - 1] >= 0)
        b.replace(0x0A, 2, Word(kChanCounts[seed - 1]));
    return b;
}

// The image GetRadioData() must build from pages loaded with `in`.
QByteArray Expected(const QByteArray &in)
{
    auto u8 = [&in](int o) { return int(uint8_t(in.at(o))); };
    QByteArray e(kImageSize, char(0xFF));
    e[0x04] = e[0x05] = e[0x12] = e[0x13] = 0;
    const int options[][2] = {{0x07, 2}, {0x08, 10}, {0x09, 2}, {0x0C, 2}, {0x0D, 2}, {0x0E, 2},
                              {0x0F, 10}, {0x10, 11}, {0x11, 4}, {0x1C, 2}, {0x1D, 2}};
    for (const auto &o : options)   // a code outside its list stores 0
        e[o[0]] = char(u8(o[0]) < o[1] ? u8(o[0]) : 0);
    const int codes[][2] = {{0x14, 8}, {0x24, 4}, {0x34, 8}, {0x3C, 8}};
    for (const auto &c : codes)   // DTMF digits up to the first byte above 0x0F
        for (int i = c[0]; i < c[0] + c[1] && u8(i) <= 0x0F; ++i)
            e[i] = in.at(i);
    int mask = 0, start = 0xFF;
    for (int i = 0, o = 0x44; i < 16; ++i, o += 2) {   // FM: valid words, their mask, the first of them
        if (const int word = qFromBigEndian<quint16>(in.constData() + o); word >= 650 && word <= 1080) {
            e.replace(o, 2, in.mid(o, 2));
            mask |= 1 << i;
            start = std::min(start, i);
        }
    }
    e[0x06] = char(start);
    e.replace(0x1E, 2, Word(mask));
    // Channels: at most ChanNum (16) records, bytes 0..11 re-encoded, 12..15 left.
    const int n = std::min<int>(qFromBigEndian<quint16>(in.constData() + 0x0A), 16);
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

    RadioData_S m_image;
    std::unique_ptr<MACSET_Form> m_mac;
    std::unique_ptr<RADIOSET_Form> m_fm;
    QTableWidget *fmTable() { return m_fm->findChild<QTableWidget *>("tableWidget"); }

private slots:
    void init()
    {
        Fill(&m_image, 0x00);
        m_mac = std::make_unique<MACSET_Form>(nullptr, &m_image);
        m_fm = std::make_unique<RADIOSET_Form>(nullptr, &m_image);
    }

    // Each option's last code shows its last item and is stored back; the next shows the first and stores 0.
    void settingCodes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("last");
        QTest::newRow("tail elimination 1 on") << "comboBox_Tail" << 0x07 << "打开";
        QTest::newRow("squelch level 9") << "comboBox_SqlLev" << 0x08 << "9";
        QTest::newRow("scan mode 1 time") << "comboBox_RcvScanWay" << 0x09 << "时间";
        QTest::newRow("1750 Hz tone 1 on") << "comboBox_KeyTone" << 0x0C << "打开";
        QTest::newRow("voice 1 English") << "comboBox_VoiType" << 0x0D << "英文";
        QTest::newRow("hidden man-down alarm 1 on") << "comboBox_FallGroAlarm" << 0x0E << "打开";
        QTest::newRow("VOX level 9") << "comboBox_VoxLev" << 0x0F << "9";
        QTest::newRow("time-out 10 is 300S") << "comboBox_TotLev" << 0x10 << "300S";
        QTest::newRow("battery save 3 is 1:3") << "comboBox_PowSavLev" << 0x11 << "1:3";
        QTest::newRow("send condition 1 is TX end") << "comboBox_DtmEncCon" << 0x1C << "发射结束";
        QTest::newRow("sidetone 1 on") << "comboBox_DtmEncTone" << 0x1D << "打开";
    }
    void settingCodes()
    {
        QFETCH(QString, box);
        QFETCH(int, offset);
        QFETCH(QString, last);
        auto *combo = m_mac->findChild<QComboBox *>(box);
        for (int code : {combo->count() - 1, combo->count()}) {
            m_image.at(offset) = uint8_t(code);
            m_mac->UpdData();
            QCOMPARE(combo->currentText(), code < combo->count() ? last : combo->itemText(0));
            Fill(&m_image, 0xFF);
            m_mac->GetData();
            QCOMPARE(int(m_image.at(offset)), code < combo->count() ? code : 0);
        }
    }

    // A code field loaded amid 0x00 bytes (all digits), typed into the real
    // editor or set as the cell text; the cell stored into a 0xFF image.
    void dtmfCodes_data()
    {
        QTest::addColumn<int>("id");   // PTT ID, ID code, stun, kill
        QTest::addColumn<QByteArray>("loaded");
        QTest::addColumn<QString>("keys");   // null: the cell is set
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QByteArray>("stored");
        const QByteArray none;
        const QString set;
        QTest::newRow("three digits then 0xFF") << 0 << Hex("010203FF") << set << "123" << Hex("010203FF");
        QTest::newRow("eight digits: the field's end ends the code")
            << 3 << Hex("0A0B0C0D0E0F0001") << set << "ABCDEF01" << Hex("0A0B0C0D0E0F0001");
        QTest::newRow("a byte above 0x0F ends the code") << 2 << Hex("01021004") << set << "12" << Hex("0102FF");
        QTest::newRow("erased field is empty") << 0 << Hex("FF") << set << "" << Hex("FFFFFFFFFFFFFFFF");
        QTest::newRow("one stored digit stays") << 2 << Hex("05FF") << set << "5" << Hex("05FF");
        QTest::newRow("ID code of four zeros") << 1 << Hex("00000000") << set << "0000" << Hex("00000000");
        QTest::newRow("cell of nine: 0x44 not written") << 3 << none << set << "123456789" << Hex("0102030405060708FF");
        QTest::newRow("ID cell of eight: 0x28 not written") << 1 << none << set << "12345678" << Hex("01020304FF");
        QTest::newRow("a non-hex character ends the code") << 3 << none << set << "12G45" << Hex("0102FFFFFFFFFFFF");
        QTest::newRow("a full-width digit is no digit") << 2 << none << set << QString::fromUtf8("１2") << Hex("FFFF");
        QTest::newRow("lower-case hex digits are digits") << 0 << none << set << "ab" << Hex("0A0BFFFFFFFFFFFF");
        QTest::newRow("typed: two characters commit as empty") << 0 << none << "12" << "" << Hex("FFFFFFFFFFFFFFFF");
        QTest::newRow("typed: ninth refused") << 0 << none << "123456789" << "12345678" << Hex("0102030405060708");
        QTest::newRow("typed: lower case, G, * and # refused") << 0 << none << "1a2G*#3b" << "123" << Hex("010203FF");
        QTest::newRow("typed ID: at most four digits") << 1 << none << "123456" << "1234" << Hex("01020304FF");
        QTest::newRow("typed ID: no letters") << 1 << none << "1A2B3" << "123" << Hex("010203FF");
        QTest::newRow("typed stun: eight of nine") << 2 << none << "FEDCBA987" << "FEDCBA98" << Hex("0F0E0D0C0B0A0908");
        QTest::newRow("typed kill: three characters") << 3 << none << "0F0" << "0F0" << Hex("000F00FF");
    }
    void dtmfCodes()
    {
        QFETCH(int, id);
        QFETCH(QByteArray, loaded);
        QFETCH(QString, keys);
        QFETCH(QString, cell);
        QFETCH(QByteArray, stored);
        const int offset = QList<int>{0x14, 0x24, 0x34, 0x3C}.at(id);
        const QStringList tables{"DtmEncId", "DtmfMacId", "DtmRemHalId", "DtmKillId"};
        auto *table = m_mac->findChild<QTableWidget *>("tableWidget_" + tables.at(id));
        table->item(0, 0)->setText(keys.isNull() && loaded.isEmpty() ? cell : QString("X"));   // else to be replaced
        std::copy(loaded.begin(), loaded.end(), m_image.bytes() + offset);
        if (!loaded.isEmpty())
            m_mac->UpdData();
        QCOMPARE(keys.isNull() ? table->item(0, 0)->text() : TypeIntoCell(table, 0, 0, keys), cell);
        Fill(&m_image, 0xFF);
        m_mac->GetData();
        QCOMPARE(Bytes(m_image, offset, stored.size()).toHex(' '), stored.toHex(' '));
    }

    // An FM cell loaded from a word (amid 0x0000 words), typed into the real editor or set; GetData
    // stores its word, its mask bit and the start channel, and nothing for the others.
    void fmChannels_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("loaded");   // -1: none
        QTest::addColumn<QString>("keys");   // null: the cell is set
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("word");   // 0: empty channel
        const QString set;
        QTest::newRow("875 in channel 1 is 87.5, bit 0 of 0x1F") << 0 << 875 << set << "87.5" << 875;
        QTest::newRow("650 in channel 9 is 65.0, bit 0 of 0x1E") << 8 << 650 << set << "65.0" << 650;
        QTest::newRow("1080 in channel 16 is 108.0, bit 7 of 0x1E") << 15 << 1080 << set << "108.0" << 1080;
        QTest::newRow("649 is empty") << 1 << 649 << set << "" << 0;
        QTest::newRow("1081 is empty") << 2 << 1081 << set << "" << 0;
        QTest::newRow("typed 67.35 into channel 8 is 67.4, bit 7 of 0x1F") << 7 << -1 << "67.35" << "67.4" << 674;
        QTest::newRow("typed 88.06 rounds to 88.1") << 3 << -1 << "88.06" << "88.1" << 881;
        QTest::newRow("typed 50 is raised to 65.0") << 5 << -1 << "50" << "65.0" << 650;
        QTest::newRow("typed 99999 is limited to 108.0") << 6 << -1 << "99999" << "108.0" << 1080;
        QTest::newRow("typed letters are refused") << 10 << -1 << "9a8.b5" << "98.5" << 985;
        QTest::newRow("typed: at most five characters") << 11 << -1 << "100.15" << "100.1" << 1001;
        QTest::newRow("typed empty: mask 0, start 0xFF") << 12 << -1 << "" << "" << 0;
        QTest::newRow("cell 120.0 stores nothing") << 0 << -1 << set << "120.0" << 0;
        QTest::newRow("cell 87 stores nothing") << 1 << -1 << set << "87" << 0;
        QTest::newRow("cell abc stores nothing") << 2 << -1 << set << "abc" << 0;
        QTest::newRow("cell 1.0.8.0 is 1080") << 4 << -1 << set << "1.0.8.0" << 1080;
    }
    void fmChannels()
    {
        QFETCH(int, row);
        QFETCH(int, loaded);
        QFETCH(QString, keys);
        QFETCH(QString, cell);
        QFETCH(int, word);
        for (int r = 0; r < 16; ++r)   // stale text that loading or typing must replace
            fmTable()->item(r, 1)->setText(loaded >= 0 ? "99.9" : "");
        fmTable()->item(row, 1)->setText(keys.isNull() && loaded < 0 ? cell : "99.9");
        qToBigEndian(quint16(loaded), m_image.bytes() + 0x44 + 2 * row);   // -1: 0xFFFF
        if (loaded >= 0)
            m_fm->UpdData();
        QCOMPARE(keys.isNull() ? fmTable()->item(row, 1)->text() : TypeIntoCell(fmTable(), row, 1, keys), cell);
        Fill(&m_image, 0xFF);
        m_fm->GetData();
        QByteArray expected = Word(word ? 1 << row : 0) + QByteArray(33, char(0xFF));   // mask, words, start
        if (word)
            expected.replace(2 + 2 * row, 2, Word(word));
        expected[34] = char(word ? row : 0xFF);
        QCOMPARE((Bytes(m_image, 0x1E, 2) + Bytes(m_image, 0x44, 32) + Bytes(m_image, 0x06, 1)).toHex(' '),
                 expected.toHex(' '));
    }

    void bothLanguages()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(RUN_DIR "/datafile/English.qm")));
        for (bool english : {false, true}) {
            if (english)
                QCoreApplication::installTranslator(&translator);
            MACSET_Form mac(nullptr, &m_image);
            RADIOSET_Form fm(nullptr, &m_image);
            QCoreApplication::removeTranslator(&translator);
            QString shown;   // every text a person can see
            for (QWidget *page : {static_cast<QWidget *>(&mac), static_cast<QWidget *>(&fm)}) {
                for (QLabel *l : page->findChildren<QLabel *>())
                    shown += l->isVisibleTo(page) ? l->text() + '|' : QString();
                for (QGroupBox *g : page->findChildren<QGroupBox *>())
                    shown += g->title() + '|';
                for (QComboBox *c : page->findChildren<QComboBox *>())
                    for (int i = 0; c->isVisibleTo(page) && i < c->count(); ++i)
                        shown += c->itemText(i) + '|';
            }
            auto *table = fm.findChild<QTableWidget *>("tableWidget");
            shown += table->horizontalHeaderItem(0)->text() + '|' + table->horizontalHeaderItem(1)->text() + '|';
            QCOMPARE(shown.contains(QRegularExpression("[\\x{4E00}-\\x{9FFF}]")), !english);
            QVERIFY(shown.endsWith(english ? "|FM Channel|Frequency (MHz)|" : "|收音机信道|频率(Mhz)|"));
            QVERIFY(!shown.contains("倒地报警"));   // the man-down row stays hidden
        }
    }

    // A file of random bytes through all four pages: each byte is what its page stores or 0xFF; twice the same.
    void everyByteAccountedFor_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("seed");
        for (const char *lang : {"Chinese", "English"})
            for (int seed = 1; seed <= 6; ++seed)
                QTest::addRow("%s, %s, %d channels", lang, seed < 3 ? "uniform" : "radio-like", kChanCounts[seed - 1])
                    << QByteArray(lang) << seed;
    }
    void everyByteAccountedFor()
    {
        QFETCH(QByteArray, language);
        QFETCH(int, seed);
        ScratchDir dir;
        const QByteArray ini = dir.readFile("datafile/sysset.ini").replace("FirstRun=Yes", "FirstRun=No");
        dir.writeFile("datafile/sysset.ini", QByteArray(ini).replace("Language=", "Language=" + language));
        const QByteArray loaded = RandomImage(seed);
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
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
