// The channel page on real widgets; its bytes through the window: tst_settings' whole-image property.
#include "channels/channelinfo_form.h"

#include "gui.h"
#include "imagebytes.h"
#include "scratchdir.h"

#include <QtTest>
#include <QtWidgets>

class TestChannels : public QObject
{
    Q_OBJECT

private slots:
    void init() { make(16, 1, 3); }

    // Each flag bit shows its own text; bit 8 stands for the scan mask bit. The way back: the whole-image property.
    void everyFlagCombinationRoundTrips()
    {
        const ChannelValueLists lists = MakeChannelValueLists();
        for (int flags = 0; flags < 512; ++flags) {
            const ChannelFields_S f = ChannelDecode({{}, {}, 0, 0, uint8_t(flags), 0, {}}, flags & 0x100);
            QCOMPARE(ChannelRowTexts(f, 0, ChannelColumnListsOf(lists)).mid(ColBandwidth),
                     QStringList({flags & 0x80 ? "12.5k" : "25k", flags & 0x40 ? "低" : "高", flags & 0x100 ? "否" : "是",
                                  "无", "无", flags & 0x10 ? "是" : "否", flags & 0x08 ? "打开" : "关闭"}));
        }
    }

    void frequency_data()
    {
        QTest::addColumn<quint32>("hz");   // the record's big-endian bytes
        QTest::addColumn<QStringList>("texts");   // the cell text, then other texts that store the same bytes
        for (const QStringList &f : GoldenRows("channels-frequencies.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toUInt(nullptr, 16) << QStringList(f.mid(2));
    }
    void frequency()
    {
        QFETCH(quint32, hz);
        QFETCH(QStringList, texts);
        QCOMPARE(ChannelFreqText(hz), texts[0]);
        for (const QString &t : texts)
            QCOMPARE(ChannelFreqFromText(t), hz);
    }

    void frequencyEditorAndReceiveToTransmitCopy_data()
    {
        QTest::addColumn<int>("bandEnd");   // MHz
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        for (const QStringList &f : GoldenRows("channels-frequency-editor.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toInt() << f[2] << f[3];
    }
    void frequencyEditorAndReceiveToTransmitCopy()
    {
        QFETCH(int, bandEnd);
        QFETCH(QString, keys);
        make(16, 1, 3, bandEnd);
        QVERIFY(TypeInto(*m_table, 1, ColRxFreq, keys));
        QTEST(cell(1, ColRxFreq), "shown");
        QCOMPARE(cell(1, ColTxFreq), cell(1, ColRxFreq));
    }

    // Add: band start + 0.5 MHz * row, first items, after the current row, up to the maximum. Delete: never the last.
    void addAndDelete()
    {
        make(7, 1, 5);
        m_table->setCurrentCell(2, 0);
        click("pushButton_Add");
        QCOMPARE(row(3), QStringList({"04", "401.500000", "401.500000", "25k", "高", "是", "无", "无", "否", "关闭"}));
        QTest::keyClicks(m_table, "AA");   // after the new current row, then beyond the maximum
        QCOMPARE(column(0) + column(ColRxFreq).mid(2),
                 QStringList({"01", "02", "03", "04", "05", "06", "07",
                              "402.000000", "401.500000", "402.000000", "403.000000", "404.000000"}));
        QVERIFY(!(m_table->item(2, 0)->flags() & Qt::ItemIsEditable));   // nor are the numbers
        m_table->setCurrentCell(0, 0);
        QTest::keyClick(m_table, Qt::Key_D);
        QCOMPARE(column(0) << cell(0, ColRxFreq), QStringList({"01", "02", "03", "04", "05", "06", "401.000000"}));
        QTest::keyClicks(m_table, "DDDDDD");
        QCOMPARE(m_table->rowCount(), 1);
    }

    // Rows the limits lock after the load, with no receive-to-transmit copy, and rows added while locked.
    void restrictedMode()
    {
        m_page->SetChanAtt(16, 0);
        m_page->AddChanRow();   // as a load adds its rows
        for (const char *name : {"pushButton_Add", "pushButton_Del", "pushButton_UpMove", "pushButton_DownMove"})
            QVERIFY(m_page->findChild<QPushButton *>(name)->isHidden());
        for (int r = 0; r < 4; ++r)
            for (int c = 1; c < ChannelColumnCount; ++c) {   // locked cells are grey
                const bool open = c == ColScan || c == ColBusyLock || c == ColPttDial;
                QCOMPARE(bool(m_table->item(r, c)->flags() & Qt::ItemIsEditable), open);
                QCOMPARE(m_table->item(r, c)->background() == QBrush(Qt::lightGray), !open);
            }
        m_table->setCurrentCell(1, 0);
        QTest::keyClicks(m_table, "DA");
        QCOMPARE(column(ColTxFreq) + column(ColTxTone),
                 QStringList({"405.000000", "406.000000", "407.000000", "401.500000", "67.0", "69.3", "71.9", "无"}));
    }

    // Every column of row 1 edited in its editor, then rows moved: the page stores these literal bytes.
    void moveSwapsWholeRows()
    {
        QVERIFY(TypeInto(*m_table, 1, ColRxFreq, "433.0125"));
        QVERIFY(TypeInto(*m_table, 1, ColTxFreq, "438.013"));   // snapped to 438.0125
        for (int c : {ColBandwidth, ColPower, ColScan, ColBusyLock, ColPttDial})
            QVERIFY(Choose(*m_table, 1, c, 1));   // 12.5k, low, not scanned, lockout, PTT dialling
        QVERIFY(Choose(*m_table, 1, ColTxTone, 260));   // D754I: DCS inverted, code 104
        QVERIFY(Choose(*m_table, 1, ColRxTone, 54));    // D031N: DCS normal, code 3
        m_table->item(2, ColBandwidth)->setText("30k");   // not in its list: the editor commits nothing (25k)
        for (int r : {1, 2}) {   // a list editor opens on its cell's item and commits what it shows
            QTest::keyClick(OpenEditor(*m_table, r, r == 1 ? ColTxTone : ColBandwidth), Qt::Key_Enter);
            QCoreApplication::processEvents();
        }
        QVERIFY(cell(2, ColBandwidth).isEmpty());   // stored as 25k
        // Current row, down (else up), current row after: no move at either end or without a current row.
        const int moves[][3] = {{0, 0, 0}, {2, 1, 2}, {-1, 0, -1}, {-1, 1, -1}, {0, 1, 1}, {2, 0, 1}};
        for (const auto &m : moves) {
            m_table->setCurrentCell(m[0], qMin(m[0], 0));
            click(m[1] ? "pushButton_DownMove" : "pushButton_UpMove");
            QCOMPARE(m_table->currentRow(), m[2]);
        }
        QCOMPARE(column(0) + column(ColTxTone), QStringList({"01", "02", "03", "D754I", "71.9", "67.0"}));
        m_page->GetData();
        QCOMPARE(Bytes(m_image, 40, 4) + Bytes(m_image, 100, 48),   // scan mask: record 0 not scanned; records 0..2
                 QByteArray::fromHex("00000001 19CF3F14 1A1B8A54 68 03 D8 E0 FFFFFFFF 17F60880 184253C0 02 00 00 40"
                                     "FFFFFFFF 17D78400 1823CF40 00 00 00 40 FFFFFFFF"));
        QVERIFY(TypeInto(*m_table, 2, ColRxFreq, "433"));   // the copy is on again after the swaps
        QCOMPARE(cell(2, ColTxFreq), QString("433.000000"));
    }

private:
    // Record i: receive 400 + i MHz, transmit 405 + i MHz, CTCSS tone i + 1 out.
    void make(int maxRows, int editAllowed, int count, int bandEnd = 470)
    {
        m_image = ErasedImage();
        QVector<ChannelFields_S> rows(count);
        for (int i = 0; i < count; ++i)
            rows[i] = {400000000u + 1000000u * i, 405000000u + 1000000u * i, 0, 0, 0, i + 1};
        ChannelStoreTable(&m_image, rows);
        m_page = std::make_unique<CHANNELINFO_Form>(nullptr, 400, bandEnd, &m_image);
        m_page->SetChanAtt(uchar(maxRows), uchar(editAllowed));
        m_page->UpdData();
        m_table = m_page->findChild<QTableWidget *>("tableWidget");
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
    std::unique_ptr<CHANNELINFO_Form> m_page;
    QTableWidget *m_table = nullptr;
};

QTEST_MAIN(TestChannels)
#include "tst_channels.moc"
