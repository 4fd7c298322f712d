#include "app/mainwindow.h"
#include "channels/channelinfo_form.h"

#include "gui.h"
#include "imagebytes.h"
#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

#include <climits>
#include <cstring>

namespace {

const ChannelValueLists kLists = MakeChannelValueLists();
const ChannelColumnLists kColumns = ChannelColumnListsOf(kLists);

ChannelData_S Record(char fill)
{
    ChannelData_S r;
    std::memset(&r, fill, sizeof r);
    return r;
}

} // namespace

class TestChannels : public QObject
{
    Q_OBJECT

private slots:
    void init() { make(16, 1, 3); }
    void cleanup() { delete m_page; m_page = nullptr; }

    void everyTonePositionRoundTrips()
    {
        const int first[] = {0, 1, 51, 156};   // list position of code 0 per kind
        auto kind = [](int p) { return p == 0 ? 0 : p <= 50 ? 1 : p <= 155 ? 2 : 3; };
        for (int p = 0; p < kToneListSize; ++p) {
            const int q = kToneListSize - 1 - p;
            const ChannelFields_S f{0, 0, 0, 0, 0, p, q};
            ChannelData_S r = Record('\xA5');
            ChannelEncode(f, &r);
            QCOMPARE(int(r.TxToneCode), p - first[kind(p)]);
            QCOMPARE(int(r.RxToneCode), q - first[kind(q)]);
            QCOMPARE(int(r.ToneTypes), kind(p) << 6 | kind(q) << 4);
            QCOMPARE(ChannelFieldsFromTexts(ChannelRowTexts(ChannelDecode(r, false), 0, kColumns), kColumns), f);
        }
    }

    void toneTypes_data()
    {
        QTest::addColumn<QByteArray>("in");   // TxToneCode, RxToneCode, ToneTypes
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("67.0 out, D023N in, low nibble ignored") << QByteArray("00006F") << QStringList{"67.0", "D023N"};
        QTest::newRow("DCS inverted 105 is none, 0 is D023I") << QByteArray("6900F0") << QStringList{"无", "D023I"};
        QTest::newRow("CTCSS 50 is none, not DCS; 49 is 254.1") << QByteArray("323150") << QStringList{"无", "254.1"};
        QTest::newRow("DCS normal 105 is none, 104 is D754N") << QByteArray("6968A0") << QStringList{"无", "D754N"};
        QTest::newRow("kind none ignores the code") << QByteArray("070900") << QStringList{"无", "无"};
    }

    void toneTypes()
    {
        QFETCH(QByteArray, in);
        QFETCH(QStringList, texts);
        in = QByteArray::fromHex(in);
        ChannelData_S r = Record('\xA5');
        std::memcpy(&r.TxToneCode, in.constData(), 2);
        r.ToneTypes = uint8_t(in[2]);
        QCOMPARE(ChannelRowTexts(ChannelDecode(r, false), 0, kColumns).mid(ColTxTone, 2), texts);
    }

    void everyFlagCombinationRoundTrips()
    {
        for (int flags = 0; flags < 256; ++flags) {
            for (bool scan : {false, true}) {
                ChannelData_S in = Record(0);
                in.ChanFlags = uint8_t(flags);
                const QStringList t = ChannelRowTexts(ChannelDecode(in, scan), 0, kColumns);
                QCOMPARE(QStringList({t[ColBandwidth], t[ColPower], t[ColScan], t[ColBusyLock], t[ColPttDial]}),
                         QStringList({flags & 0x80 ? "12.5k" : "25k", flags & 0x40 ? "低" : "高", scan ? "否" : "是",
                                      flags & 0x10 ? "是" : "否", flags & 0x08 ? "打开" : "关闭"}));
                ChannelData_S out = Record('\xFF');
                QCOMPARE(ChannelEncode(ChannelFieldsFromTexts(t, kColumns), &out), scan);
                QCOMPARE(int(out.ChanFlags), flags & 0xD8);   // bits 5, 2, 1, 0 come back 0
            }
        }
    }

    void frequency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bigEndian");
        QTest::newRow("0") << "0.000000" << QByteArray("00000000");
        QTest::newRow("1 Hz") << "0.000001" << QByteArray("00000001");
        QTest::newRow("66 MHz shows its true value") << "66.000000" << QByteArray("03EF1480");
        QTest::newRow("400.125 MHz") << "400.125000" << QByteArray("17D96C48");
        QTest::newRow("999.999999 MHz") << "999.999999" << QByteArray("3B9AC9FF");
        QTest::newRow("1000 MHz") << "1000.000000" << QByteArray("3B9ACA00");
        QTest::newRow("int32 max") << "2147.483647" << QByteArray("7FFFFFFF");
        QTest::newRow("int32 min") << "-2147.483648" << QByteArray("80000000");
        QTest::newRow("erased memory") << "-0.000001" << QByteArray("FFFFFFFF");
    }

    void frequency()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bigEndian);
        const QByteArray both = QByteArray::fromHex(bigEndian + bigEndian);
        ChannelData_S r = Record(0);
        std::memcpy(r.RxFreq, both.constData(), 8);
        const QStringList texts = ChannelRowTexts(ChannelDecode(r, false), 0, kColumns);
        QCOMPARE(texts.mid(ColRxFreq, 2), QStringList({text, text}));
        QCOMPARE(ChannelFreqFromText(text), qFromBigEndian<quint32>(both.constData()));
        ChannelData_S out = Record(0);
        ChannelEncode(ChannelFieldsFromTexts(texts, kColumns), &out);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(out.RxFreq), 8), both);
    }

    void storeTable_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<quint32>("mask");   // bit i: row i not scanned
        QTest::newRow("empty table: count 0, mask 0") << 0 << 0u;
        QTest::newRow("rows 0 and 2 not scanned, records 5..21 untouched") << 5 << 5u;
        QTest::newRow("row 21 is bit 21") << 22 << 0x200000u;
    }

    void storeTable()
    {
        QFETCH(int, rows);
        QFETCH(quint32, mask);
        RadioData_S image = ErasedImage();
        ChannelRecord(&image, 1).Reserved[0] = 0x5A;
        QVector<ChannelFields_S> table(rows);
        for (int i = 0; i < rows; ++i)
            table[i] = {400125000, 400125000, 0, 0, int(mask >> i & 1)};
        ChannelStoreTable(&image, table);

        QByteArray want(kImageSize, '\xFF');
        want.replace(4, 2, Word(0));
        want.replace(10, 2, Word(rows));
        qToBigEndian(mask, want.data() + 40);
        for (int i = 0; i < rows; ++i)
            want.replace(100 + 16 * i, 12, QByteArray::fromHex("17D96C4817D96C4800000000"));
        want[128] = '\x5A';   // record 1, byte 12
        QCOMPARE(Bytes(image), want);
        QCOMPARE(ChannelLoadTable(image, kMaxChannels), table);
    }

    void badValuesNeverOverflow()
    {
        RadioData_S image = ErasedImage();
        const int cuts[][3] = {{20, 16, 16}, {0xFFFF, 255, 22}, {5, 0, 0}, {3, 22, 3}};   // ChanCount, maximum, rows
        for (const auto &c : cuts) {
            ChanCountWrite(&image, uint16_t(c[0]));
            QCOMPARE(ChannelLoadTable(image, c[1]).size(), c[2]);
        }
        const std::pair<const char *, uint32_t> texts[] = {
            {"", 0u}, {"abc", 0u}, {"4294.967297", 0u}, {"660.00000", 66000000u}, {"-00.001", 0xFFFFFFFFu}};
        for (const auto &t : texts)
            QCOMPARE(ChannelFreqFromText(t.first), t.second);
        const qint64 edges[][2] = {{400, 400000000}, {2147, 2147000000}, {5000, INT32_MAX},
                                   {4294967295LL, INT32_MAX}, {-5, 0}};   // MHz, Hz
        for (const auto &e : edges)
            QCOMPARE(BandEdgeHz(e[0]), e[1]);
        for (double mhz : {4294.967296, 1e300, qInf()})
            QCOMPARE(ChannelFreqFromEditorMHz(mhz, 400000000, 470000000), qint64(469995000));
        for (double mhz : {-1e300, qQNaN()})
            QCOMPARE(ChannelFreqFromEditorMHz(mhz, 400000000, 470000000), qint64(400000000));
    }

    void frequencyEditorAndReceiveToTransmitCopy_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cell");
        QTest::newRow("6.25 kHz raster") << "400.0125" << "400.012500";
        QTest::newRow("snapped down to 6.25 kHz") << "400.013" << "400.012500";
        QTest::newRow("5 kHz raster") << "400.01" << "400.010000";
        QTest::newRow("the added 1 Hz reaches the raster point") << "400.004999" << "400.005000";
        QTest::newRow("above the band: end exclusive, snapped") << "480" << "469.995000";
        QTest::newRow("empty gives band start") << "" << "400.000000";
        QTest::newRow("letters and signs refused") << "4a0-0.1+2x5" << "400.125000";
        QTest::newRow("ten digits clamp, no overflow") << "9999999999" << "469.995000";
        QTest::newRow("2^32 Hz clamps, no wrap") << "4294.96729" << "469.995000";
        QTest::newRow("eleventh character refused") << "00000004101" << "410.000000";
        QTest::newRow("two points do not parse") << "4.0.1" << "400.000000";
    }

    void frequencyEditorAndReceiveToTransmitCopy()
    {
        QFETCH(QString, keys);
        QFETCH(QString, cell);
        QVERIFY(TypeInto(*m_table, 1, ColRxFreq, keys));
        QCOMPARE(row(1).mid(ColRxFreq, 2), QStringList({cell, cell}));
        QCOMPARE(column(ColTxFreq), QStringList({"405.000000", cell, "407.000000"}));
        QVERIFY(TypeInto(*m_table, 1, ColTxFreq, "410"));
        QCOMPARE(row(1).mid(ColRxFreq, 2), QStringList({cell, "410.000000"}));
    }

    // Each list editor offers its whole list, opens on the cell's item and commits what it shows.
    void comboEditor_data()
    {
        const QString dcs = "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 131 "
                            "132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 251 252 "
                            "255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 371 411 412 "
                            "413 423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 532 546 565 606 "
                            "612 624 627 631 632 645 654 662 664 703 712 723 731 732 734 743 754";
        const QStringList tones = QStringList("无")
                + QString("67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 "
                          "114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 "
                          "171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 "
                          "225.7 229.1 233.6 241.8 250.3 254.1").split(' ')
                + ("D" + dcs.split(' ').join("N D") + "N").split(' ')
                + ("D" + dcs.split(' ').join("I D") + "I").split(' ');
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");   // set before opening; empty: row 0 as loaded
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("current");
        QTest::newRow("bandwidth") << int(ColBandwidth) << "" << QStringList({"25k", "12.5k"}) << 0;
        QTest::newRow("power") << int(ColPower) << "" << QStringList({"高", "低"}) << 0;
        QTest::newRow("scan: yes first") << int(ColScan) << "" << QStringList({"是", "否"}) << 0;
        QTest::newRow("busy lockout: no first") << int(ColBusyLock) << "" << QStringList({"否", "是"}) << 0;
        QTest::newRow("PTT dialling") << int(ColPttDial) << "" << QStringList({"关闭", "打开"}) << 0;
        QTest::newRow("transmit tone: none, CTCSS, DCS normal, DCS inverted") << int(ColTxTone) << "" << tones << 1;
        QTest::newRow("receive tone: the same list") << int(ColRxTone) << "D754I" << tones << 260;
        QTest::newRow("a text not in the list: nothing chosen, commits empty")
                << int(ColBandwidth) << "30k" << QStringList({"25k", "12.5k"}) << -1;
    }

    void comboEditor()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QFETCH(int, current);
        if (!text.isEmpty())
            m_table->item(0, column)->setText(text);
        auto *combo = qobject_cast<QComboBox *>(OpenEditor(*m_table, 0, column));
        QVERIFY(combo);
        QCOMPARE(Items(*combo), items);
        QCOMPARE(combo->currentIndex(), current);
        QTest::keyClick(combo, Qt::Key_Enter);
        QCoreApplication::processEvents();
        QCOMPARE(cell(0, column), items.value(current));
    }

    void loadShowsRecordsAndErasedMemory()
    {
        QCOMPARE(row(2), QStringList({"03", "402.000000", "407.000000", "25k", "高", "是", "71.9", "无", "否", "关闭"}));
        QVERIFY(!(m_table->item(2, 0)->flags() & Qt::ItemIsEditable));

        make(21, 1, 0);
        m_image = ErasedImage();
        m_page->UpdData();
        QCOMPARE(m_table->rowCount(), 21);   // count 0xFFFF cut to the maximum
        QCOMPARE(row(20).mid(1), QStringList({"-0.000001", "-0.000001", "12.5k", "低", "否", "无", "无", "是", "打开"}));
    }

    void addAndDelete()
    {
        make(7, 1, 5);
        m_table->setCurrentCell(2, 0);
        click("pushButton_Add");
        QCOMPARE(row(3), QStringList({"04", "401.500000", "401.500000", "25k", "高", "是", "无", "无", "否", "关闭"}));
        QTest::keyClick(m_table, Qt::Key_A);   // after the new current row
        QTest::keyClick(m_table, Qt::Key_A);   // beyond the maximum
        QCOMPARE(column(ColRxFreq).mid(2),
                 QStringList({"402.000000", "401.500000", "402.000000", "403.000000", "404.000000"}));
        QCOMPARE(column(0), QStringList({"01", "02", "03", "04", "05", "06", "07"}));

        m_table->setCurrentCell(0, 0);
        QTest::keyClick(m_table, Qt::Key_D);
        QCOMPARE(column(0), QStringList({"01", "02", "03", "04", "05", "06"}));
        QCOMPARE(cell(0, ColRxFreq), QString("401.000000"));
        for (int i = 0; i < 6; ++i)
            m_page->DelChanRow();
        QCOMPARE(m_table->rowCount(), 1);   // the last row stays

        make(16, 1, 0);
        click("pushButton_Add");
        QCOMPARE(row(0).mid(ColRxFreq, 2), QStringList({"400.000000", "400.000000"}));
    }

    void moveSwapsWholeRows()
    {
        const int noMoves[][2] = {{0, 0}, {-1, 0}, {2, 1}, {-1, 1}};   // first row up, last down, none either way
        for (const auto &m : noMoves) {
            m_table->setCurrentCell(m[0], qMin(m[0], 0));
            click(m[1] ? "pushButton_DownMove" : "pushButton_UpMove");
        }
        m_table->setCurrentCell(0, 0);
        click("pushButton_DownMove");
        QCOMPARE(m_table->currentRow(), 1);
        m_table->setCurrentCell(2, 0);
        click("pushButton_UpMove");
        QCOMPARE(m_table->currentRow(), 1);
        QCOMPARE(column(0), QStringList({"01", "02", "03"}));
        QCOMPARE(column(ColRxFreq) + column(ColTxFreq) + column(ColTxTone),
                 QStringList({"401.000000", "402.000000", "400.000000", "406.000000", "407.000000", "405.000000",
                              "69.3", "71.9", "67.0"}));
        QVERIFY(TypeInto(*m_table, 2, ColRxFreq, "433"));   // the copy is on again after the swaps
        QCOMPARE(row(2).mid(ColRxFreq, 2), QStringList({"433.000000", "433.000000"}));
    }

    void restrictedMode_data()
    {
        QTest::addColumn<bool>("afterLoad");
        QTest::newRow("rows locked as the load adds them") << false;
        QTest::newRow("rows locked after the load: no receive-to-transmit copy") << true;
    }

    void restrictedMode()
    {
        QFETCH(bool, afterLoad);
        make(16, afterLoad, 3);
        if (afterLoad)
            m_page->SetChanAtt(16, 0);
        for (const char *name : {"pushButton_Add", "pushButton_Del", "pushButton_UpMove", "pushButton_DownMove"})
            QVERIFY(m_page->findChild<QPushButton *>(name)->isHidden());
        for (int c = 1; c < ChannelColumnCount; ++c) {   // locked cells are grey
            const bool open = c == ColScan || c == ColBusyLock || c == ColPttDial;
            QCOMPARE(bool(m_table->item(1, c)->flags() & Qt::ItemIsEditable), open);
            QCOMPARE(m_table->item(1, c)->background() == QBrush(Qt::lightGray), !open);
        }
        QVERIFY(Choose(*m_table, 1, ColScan, 1));
        QCOMPARE(cell(1, ColScan), QString("否"));
        m_table->setCurrentCell(1, 0);
        QTest::keyClick(m_table, Qt::Key_A);
        QCOMPARE(m_table->rowCount(), 3);
        QTest::keyClick(m_table, Qt::Key_D);
        QCOMPARE(column(ColRxFreq) + column(ColTxFreq),
                 QStringList({"400.000000", "401.000000", "402.000000", "405.000000", "406.000000", "407.000000"}));
        // The row made before the limits are known is held to them as well.
        CHANNELINFO_Form fresh(nullptr, 400, 470, &m_image);
        auto *table = fresh.findChild<QTableWidget *>("tableWidget");
        fresh.SetChanAtt(16, 0);
        QVERIFY(!(table->item(0, ColRxFreq)->flags() & Qt::ItemIsEditable));
        fresh.SetChanAtt(0, 1);
        QCOMPARE(table->rowCount(), 0);
    }

    void valueListLookupsOutOfRange()
    {
        QCOMPARE(QStringList({m_page->GetTabColItemStr(ColRxTone, 260), m_page->GetTabColItemStr(ColRxTone, 261),
                              m_page->GetTabColItemStr(10, 0)}), QStringList({"D754I", "", ""}));
        QCOMPARE(QList<int>({m_page->GetTabColItemIndex(ColTxTone, "D023N"), m_page->GetTabColItemIndex(10, "25k")}),
                 QList<int>({51, -1}));
    }

    void editEveryColumnMoveAndSave_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("shown");   // header of column 1, power and tone of row 0
        QTest::newRow("Chinese") << "Chinese" << QStringList({"接收频率", "高", "无"});
        QTest::newRow("English") << "English" << QStringList({"RX Freq", "High", "None"});
    }

    void editEveryColumnMoveAndSave()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, shown);
        ScratchDir dir;
        dir.setLanguage(language);
        ModalCloser closer;
        MainWindow window;
        window.show();
        auto *page = window.findChild<CHANNELINFO_Form *>();
        QVERIFY(page);
        window.findChild<QStackedWidget *>()->setCurrentWidget(page);
        m_table = page->findChild<QTableWidget *>("tableWidget");
        QCOMPARE(QStringList({m_table->horizontalHeaderItem(ColRxFreq)->text(), cell(0, ColPower), cell(0, ColTxTone)}),
                 shown);

        window.MenuActionSaveFile(dir.file("before.dat"));
        const QByteArray before = dir.readFile("before.dat");
        QCOMPARE(before, dir.readFile("datafile/default.dat"));

        QVERIFY(TypeInto(*m_table, 1, ColRxFreq, "433.0125"));
        QVERIFY(TypeInto(*m_table, 1, ColTxFreq, "438.013"));   // snapped to 438.0125
        for (int c : {ColBandwidth, ColPower, ColScan, ColBusyLock, ColPttDial})
            QVERIFY(Choose(*m_table, 1, c, 1));   // 12.5k, low, not scanned, lockout, PTT dialling
        QVERIFY(Choose(*m_table, 1, ColTxTone, 260));   // D754I: DCS inverted, code 104
        QVERIFY(Choose(*m_table, 1, ColRxTone, 54));    // D031N: DCS normal, code 3
        m_table->setCurrentCell(1, 0);
        page->findChild<QPushButton *>("pushButton_UpMove")->click();
        window.MenuActionSaveFile(dir.file("after.dat"));
        QCOMPARE(closer.titles.size(), 2);

        QByteArray expected = before;
        expected.replace(100, 12, QByteArray::fromHex("19CF3F141A1B8A546803D8E0"));
        expected.replace(112, 4, before.mid(128, 4));
        expected.replace(116, 16, before.mid(100, 16));
        const uint32_t oldMask = qFromBigEndian<quint32>(before.constData() + 40);
        qToBigEndian<quint32>((oldMask & ~3u) | 1u | ((oldMask & 1u) << 1), expected.data() + 40);
        QCOMPARE(dir.readFile("after.dat"), expected);
    }

private:
    // Record i: receive 400 + i MHz, transmit 405 + i MHz, CTCSS tone i + 1 out.
    void make(int maxRows, int editAllowed, int count)
    {
        delete m_page;
        m_image = ErasedImage();
        QVector<ChannelFields_S> rows(count);
        for (int i = 0; i < count; ++i)
            rows[i] = {400000000u + 1000000u * i, 405000000u + 1000000u * i, 0, 0, 0, i + 1};
        ChannelStoreTable(&m_image, rows);
        m_page = new CHANNELINFO_Form(nullptr, 400, 470, &m_image);
        m_page->SetChanAtt(uchar(maxRows), uchar(editAllowed));
        m_page->UpdData();
        m_table = m_page->findChild<QTableWidget *>("tableWidget");
        m_page->show();
    }
    QString cell(int row, int column) const { return m_table->item(row, column)->text(); }
    QStringList row(int r) const { return cells(r, -1); }
    QStringList column(int c) const { return cells(-1, c); }
    QStringList cells(int r, int c) const
    {
        QStringList list;
        for (int i = 0; i < (r < 0 ? m_table->rowCount() : int(ChannelColumnCount)); ++i)
            list << cell(r < 0 ? i : r, r < 0 ? c : i);
        return list;
    }
    void click(const char *button) { m_page->findChild<QPushButton *>(button)->click(); }

    RadioData_S m_image;
    CHANNELINFO_Form *m_page = nullptr;
    QTableWidget *m_table = nullptr;
};

QTEST_MAIN(TestChannels)
#include "tst_channels.moc"
