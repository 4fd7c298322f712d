#include "channels/channelinfo_form.h"

#include <QtTest>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <cstring>

namespace {

void Put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// Erased image holding count records: record i on 400 MHz + i MHz receive,
// + 5 MHz more on transmit, CTCSS code i out, none in, all flags clear.
RadioData_S Image(int count)
{
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    image.at(ImageOffset::ChanCount) = static_cast<uint8_t>(count >> 8);
    image.at(ImageOffset::ChanCount + 1) = static_cast<uint8_t>(count);
    Put32(image.bytes() + ImageOffset::ChanScanMask, 0);
    for (int i = 0; i < count && i < kMaxChannels; ++i) {
        uint8_t *r = image.bytes() + ImageOffset::Channels + 16 * i;
        Put32(r, 400000000 + 1000000 * i);
        Put32(r + 4, 405000000 + 1000000 * i);
        r[8] = static_cast<uint8_t>(i);
        r[9] = 0;
        r[10] = 0;
        r[11] = 0x40;
    }
    return image;
}

QByteArray Bytes(const RadioData_S &image, int offset, int count)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + offset, count);
}

} // namespace

class TestChannelPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void frequencyEditor_data();
    void frequencyEditor();
    void comboEditor();
    void loadShowsRecords();
    void loadCutsToMaximumAndStoresInOrder();
    void erasedMemoryShowsAndStoresBack();
    void emptyTable();
    void addInsertsAfterCurrentRow();
    void addStopsAtMaximum();
    void deleteRules();
    void moveRulesAndSwapKeepsBothFrequencies();
    void transmitEditKeepsReceive();
    void restrictedMode();
    void valueListLookups();

private:
    void make(int maxRows, int editAllowed, int count);
    QString cell(int row, int column) const { return m_table->item(row, column)->text(); }
    QWidget *openEditor(int row, int column);
    void typeInto(int row, int column, const QString &keys);
    void choose(int row, int column, int index);
    QStringList numbers() const;

    RadioData_S m_image;
    CHANNELINFO_Form *m_page = nullptr;
    QTableWidget *m_table = nullptr;
};

void TestChannelPage::init()
{
    make(16, 1, 3);
}

void TestChannelPage::cleanup()
{
    delete m_page;
    m_page = nullptr;
}

void TestChannelPage::make(int maxRows, int editAllowed, int count)
{
    delete m_page;
    m_image = Image(count);
    m_page = new CHANNELINFO_Form(nullptr, 400, 470, &m_image);
    m_page->SetChanAtt(static_cast<unsigned char>(maxRows), static_cast<unsigned char>(editAllowed));
    m_page->UpdData();
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
    m_table = m_page->findChild<QTableWidget *>("tableWidget");
}

QWidget *TestChannelPage::openEditor(int row, int column)
{
    m_table->editItem(m_table->item(row, column));
    return m_table->indexWidget(m_table->model()->index(row, column));
}

void TestChannelPage::typeInto(int row, int column, const QString &keys)
{
    auto *edit = qobject_cast<QLineEdit *>(openEditor(row, column));
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Enter);
    QCoreApplication::processEvents();   // the commit is queued
}

void TestChannelPage::choose(int row, int column, int index)
{
    auto *combo = qobject_cast<QComboBox *>(openEditor(row, column));
    QVERIFY(combo);
    combo->setCurrentIndex(index);
    QTest::keyClick(combo, Qt::Key_Enter);
    QCoreApplication::processEvents();
}

QStringList TestChannelPage::numbers() const
{
    QStringList list;
    for (int r = 0; r < m_table->rowCount(); ++r)
        list << cell(r, 0);
    return list;
}

void TestChannelPage::frequencyEditor_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");
    QTest::newRow("on both rasters") << "400.125" << "400.125000";
    QTest::newRow("6.25 kHz raster") << "400.0125" << "400.012500";
    QTest::newRow("snapped down to 6.25 kHz") << "400.013" << "400.012500";
    QTest::newRow("5 kHz raster") << "400.01" << "400.010000";
    QTest::newRow("above the band: end exclusive, snapped") << "480" << "469.995000";
    QTest::newRow("just below the end") << "469.9999" << "469.995000";
    QTest::newRow("empty gives band start") << "" << "400.000000";
    QTest::newRow("below the band") << "300" << "400.000000";
    QTest::newRow("letters and signs refused") << "4a0-0.1+2x5" << "400.125000";
    QTest::newRow("ten digits clamp, no overflow") << "9999999999" << "469.995000";
    QTest::newRow("2^32 Hz clamps, no wrap") << "4294.96729" << "469.995000";
    QTest::newRow("eleventh character refused") << "0000000410.1" << "410.000000";
    QTest::newRow("two points do not parse") << "4.0.1" << "400.000000";
}

void TestChannelPage::frequencyEditor()
{
    QFETCH(QString, keys);
    QFETCH(QString, cell);
    typeInto(1, ColRxFreq, keys);
    QCOMPARE(this->cell(1, ColRxFreq), cell);
    QCOMPARE(this->cell(1, ColTxFreq), cell);   // copied to transmit
    QCOMPARE(this->cell(0, ColTxFreq), QString("405.000000"));
}

void TestChannelPage::comboEditor()
{
    m_table->item(0, ColBandwidth)->setText("30k");
    auto *combo = qobject_cast<QComboBox *>(openEditor(0, ColBandwidth));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), -1);   // not an item: nothing selected
    QTest::keyClick(combo, Qt::Key_Enter);
    QCoreApplication::processEvents();
    QCOMPARE(cell(0, ColBandwidth), QString());

    auto *tones = qobject_cast<QComboBox *>(openEditor(0, ColTxTone));
    QVERIFY(tones);
    QCOMPARE(tones->count(), 261);
    QCOMPARE(tones->currentText(), QString("67.0"));
    QTest::keyClick(tones, Qt::Key_End);
    QTest::keyClick(tones, Qt::Key_Enter);
    QCoreApplication::processEvents();
    QCOMPARE(cell(0, ColTxTone), QString("D754I"));
}

void TestChannelPage::loadShowsRecords()
{
    QCOMPARE(m_table->rowCount(), 3);
    QCOMPARE(numbers(), QStringList({"01", "02", "03"}));
    QStringList row;
    for (int c = 0; c < ChannelColumnCount; ++c)
        row << cell(2, c);
    // The loaded transmit frequency is not overwritten by the copy rule.
    QCOMPARE(row, QStringList({"03", "402.000000", "407.000000", "25k", "高", "是", "71.9", "无", "否", "关闭"}));
    QCOMPARE(m_table->item(2, 0)->flags() & Qt::ItemIsEditable, Qt::ItemFlags());
    QCOMPARE(m_table->item(2, 0)->background().color(), QColor(0, 85, 255, 165));
    QCOMPARE(m_table->item(2, 5)->textAlignment(), int(Qt::AlignCenter));
}

void TestChannelPage::loadCutsToMaximumAndStoresInOrder()
{
    make(16, 1, 20);
    QCOMPARE(m_table->rowCount(), 16);
    std::memset(m_image.bytes(), 0xFF, kImageSize);
    m_page->GetData();
    const RadioData_S loaded = Image(20);
    QCOMPARE(Bytes(m_image, ImageOffset::ChanCount, 2), QByteArray("\x00\x10", 2));
    QCOMPARE(Bytes(m_image, 4, 2), QByteArray(2, '\0'));
    QCOMPARE(Bytes(m_image, 100, 16 * 16), Bytes(loaded, 100, 16 * 16));
    QCOMPARE(Bytes(m_image, 100 + 16 * 16, 16 * 6), QByteArray(16 * 6, '\xFF'));
}

void TestChannelPage::erasedMemoryShowsAndStoresBack()
{
    make(22, 1, 0);
    std::memset(m_image.bytes(), 0xFF, kImageSize);
    m_page->UpdData();
    QCOMPARE(m_table->rowCount(), 22);   // count 0xFFFF cut to the 22 records
    QStringList row;
    for (int c = 1; c < ChannelColumnCount; ++c)
        row << cell(21, c);
    QCOMPARE(row, QStringList({"-0.000001", "-0.000001", "12.5k", "低", "否", "无", "无", "是", "打开"}));
    m_page->GetData();
    QCOMPARE(Bytes(m_image, 4, 2), QByteArray(2, '\0'));
    QCOMPARE(Bytes(m_image, ImageOffset::ChanCount, 2), QByteArray("\x00\x16", 2));
    QCOMPARE(Bytes(m_image, ImageOffset::ChanScanMask, 4), QByteArray("\x00\x3F\xFF\xFF", 4));
    for (int i = 0; i < kMaxChannels; ++i)
        QCOMPARE(Bytes(m_image, 100 + 16 * i, 16), QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x00\x00\xD8\x00"
                                                              "\xFF\xFF\xFF\xFF", 16));
}

void TestChannelPage::emptyTable()
{
    make(16, 1, 0);
    QCOMPARE(m_table->rowCount(), 0);
    std::memset(m_image.bytes(), 0xFF, kImageSize);
    m_page->GetData();
    QCOMPARE(Bytes(m_image, ImageOffset::ChanCount, 2), QByteArray(2, '\0'));
    QCOMPARE(Bytes(m_image, ImageOffset::ChanScanMask, 4), QByteArray(4, '\0'));
    QCOMPARE(Bytes(m_image, 100, 352), QByteArray(352, '\xFF'));

    m_page->findChild<QPushButton *>("pushButton_Add")->click();
    QCOMPARE(m_table->rowCount(), 1);
    QCOMPARE(cell(0, ColRxFreq), QString("400.000000"));
    QCOMPARE(cell(0, ColTxFreq), QString("400.000000"));
}

void TestChannelPage::addInsertsAfterCurrentRow()
{
    make(16, 1, 5);
    m_table->setCurrentCell(2, 0);
    m_page->findChild<QPushButton *>("pushButton_Add")->click();
    QCOMPARE(m_table->rowCount(), 6);
    QCOMPARE(m_table->currentRow(), 3);
    QStringList row;
    for (int c = 1; c < ChannelColumnCount; ++c)
        row << cell(3, c);
    QCOMPARE(row, QStringList({"401.500000", "401.500000", "25k", "高", "是", "无", "无", "否", "关闭"}));
    QCOMPARE(cell(4, ColRxFreq), QString("403.000000"));   // the old row 3
    QCOMPARE(numbers(), QStringList({"01", "02", "03", "04", "05", "06"}));
    QTest::keyClick(m_table, Qt::Key_A);
    QCOMPARE(m_table->rowCount(), 7);
    QCOMPARE(cell(4, ColRxFreq), QString("402.000000"));
}

void TestChannelPage::addStopsAtMaximum()
{
    make(3, 1, 3);
    m_page->findChild<QPushButton *>("pushButton_Add")->click();
    QTest::keyClick(m_table, Qt::Key_A);
    QCOMPARE(m_table->rowCount(), 3);
}

void TestChannelPage::deleteRules()
{
    m_table->setCurrentCell(-1, -1);
    m_page->findChild<QPushButton *>("pushButton_Del")->click();
    QCOMPARE(m_table->rowCount(), 3);   // no current row

    m_table->setCurrentCell(0, 0);
    QTest::keyClick(m_table, Qt::Key_D);
    QCOMPARE(m_table->rowCount(), 2);
    QCOMPARE(numbers(), QStringList({"01", "02"}));
    QCOMPARE(cell(0, ColRxFreq), QString("401.000000"));

    m_table->setCurrentCell(0, 0);
    m_page->DelChanRow();
    QCOMPARE(m_table->rowCount(), 1);
    m_page->DelChanRow();
    QCOMPARE(m_table->rowCount(), 1);   // the last row stays
}

void TestChannelPage::moveRulesAndSwapKeepsBothFrequencies()
{
    auto *up = m_page->findChild<QPushButton *>("pushButton_UpMove");
    auto *down = m_page->findChild<QPushButton *>("pushButton_DownMove");
    m_table->setCurrentCell(0, 0);
    up->click();
    m_table->setCurrentCell(2, 0);
    down->click();
    m_table->setCurrentCell(-1, -1);
    up->click();
    down->click();
    QCOMPARE(cell(0, ColRxFreq), QString("400.000000"));
    QCOMPARE(cell(2, ColRxFreq), QString("402.000000"));

    m_table->setCurrentCell(0, 0);
    down->click();
    QCOMPARE(m_table->currentRow(), 1);
    QCOMPARE(numbers(), QStringList({"01", "02", "03"}));
    QCOMPARE(cell(1, ColRxFreq), QString("400.000000"));
    QCOMPARE(cell(1, ColTxFreq), QString("405.000000"));
    QCOMPARE(cell(1, ColTxTone), QString("67.0"));
    QCOMPARE(cell(0, ColRxFreq), QString("401.000000"));
    QCOMPARE(cell(0, ColTxFreq), QString("406.000000"));

    // Row i is stored as record i.
    const RadioData_S loaded = m_image;
    m_page->GetData();
    QCOMPARE(Bytes(m_image, 100, 16), Bytes(loaded, 116, 16));
    QCOMPARE(Bytes(m_image, 116, 16), Bytes(loaded, 100, 16));
}

void TestChannelPage::transmitEditKeepsReceive()
{
    typeInto(0, ColRxFreq, "400.125");
    QCOMPARE(cell(0, ColTxFreq), QString("400.125000"));
    typeInto(0, ColTxFreq, "410");
    QCOMPARE(cell(0, ColTxFreq), QString("410.000000"));
    QCOMPARE(cell(0, ColRxFreq), QString("400.125000"));
}

void TestChannelPage::restrictedMode()
{
    make(16, 0, 3);
    for (const char *name : {"pushButton_Add", "pushButton_Del", "pushButton_UpMove", "pushButton_DownMove"})
        QVERIFY(m_page->findChild<QPushButton *>(name)->isHidden());
    QCOMPARE(cell(1, ColRxFreq), QString("401.000000"));
    QCOMPARE(cell(1, ColTxFreq), QString("406.000000"));
    QCOMPARE(cell(1, ColTxTone), QString("69.3"));
    for (int c = 1; c < ChannelColumnCount; ++c) {
        const bool locked = c != ColScan && c != ColBusyLock && c != ColPttDial;
        QCOMPARE(bool(m_table->item(1, c)->flags() & Qt::ItemIsEditable), !locked);
        if (locked)
            QCOMPARE(m_table->item(1, c)->background().color(), QColor(Qt::lightGray));
    }
    QVERIFY(!openEditor(1, ColRxFreq));
    choose(1, ColScan, 1);
    QCOMPARE(cell(1, ColScan), QString("否"));

    m_table->setCurrentCell(1, 0);
    QTest::keyClick(m_table, Qt::Key_A);
    QCOMPARE(m_table->rowCount(), 3);
    QTest::keyClick(m_table, Qt::Key_D);
    QCOMPARE(m_table->rowCount(), 3);
}

void TestChannelPage::valueListLookups()
{
    QCOMPARE(m_page->GetTabColItemStr(ColPttDial, 1), QString("打开"));
    QCOMPARE(m_page->GetTabColItemStr(ColBusyLock, 0), QString("否"));
    QCOMPARE(m_page->GetTabColItemStr(ColRxTone, 260), QString("D754I"));
    QCOMPARE(m_page->GetTabColItemStr(ColRxTone, 261), QString());
    QCOMPARE(m_page->GetTabColItemStr(ColRxFreq, 0), QString());
    QCOMPARE(m_page->GetTabColItemStr(10, 0), QString());
    QCOMPARE(m_page->GetTabColItemIndex(ColTxTone, "D023N"), 51);
    QCOMPARE(m_page->GetTabColItemIndex(ColBandwidth, "12.5K"), -1);
    QCOMPARE(m_page->GetTabColItemIndex(10, "25k"), -1);
}

QTEST_MAIN(TestChannelPage)
#include "tst_channelpage.moc"
