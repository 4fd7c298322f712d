// The machine settings and FM radio pages on real widgets: codes shown and
// stored, typing into the cell editors, both languages.
#include "settings/macset_form.h"
#include "settings/radioset_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

void Fill(RadioData_S *image, uint8_t value)
{
    std::memset(image->bytes(), value, kImageSize);
}

// Opens the cell editor as a click would, types, presses Enter; returns the cell text.
QString TypeIntoCell(QTableWidget *table, int row, int column, const QString &keys)
{
    QTableWidgetItem *item = table->item(row, column);
    table->setCurrentItem(item);
    table->editItem(item);
    auto *edit = qobject_cast<QLineEdit *>(table->indexWidget(table->model()->index(row, column)));
    if (!edit)
        return QStringLiteral("<no line edit>");
    edit->clear();
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();   // the delegate commits through a queued call
    return item->text();
}

bool HasChinese(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

// Every text a person can see on a page: labels, group titles, list items, headers.
QStringList VisibleTexts(QWidget *page)
{
    QStringList texts;
    for (QLabel *l : page->findChildren<QLabel *>())
        if (!l->isHidden())
            texts << l->text();
    for (QGroupBox *g : page->findChildren<QGroupBox *>())
        texts << g->title();
    for (QComboBox *c : page->findChildren<QComboBox *>())
        if (!c->isHidden())
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
    for (QTableWidget *t : page->findChildren<QTableWidget *>())
        for (int i = 0; i < t->columnCount(); ++i)
            if (t->horizontalHeaderItem(i))
                texts << t->horizontalHeaderItem(i)->text();
    return texts;
}

} // namespace

class TestSettingsPages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void erasedImageShowsFirstItems();
    void settingCodes_data();
    void settingCodes();
    void dtmfCodesLoadAndStore();
    void codeEditors_data();
    void codeEditors();

    void fmPageLoadsWords_data();
    void fmPageLoadsWords();
    void fmPageStoresAndReloads();
    void fmEditor_data();
    void fmEditor();
    void fmChannelColumnIsFixed();

    void pagesInEnglish();
    void pagesInChinese();

private:
    RadioData_S m_image;
    std::unique_ptr<MACSET_Form> m_mac;
    std::unique_ptr<RADIOSET_Form> m_fm;
};

void TestSettingsPages::init()
{
    Fill(&m_image, 0x00);
    m_mac = std::make_unique<MACSET_Form>(nullptr, &m_image);
    m_fm = std::make_unique<RADIOSET_Form>(nullptr, &m_image);
    m_mac->show();
    m_fm->show();
}

void TestSettingsPages::cleanup()
{
    m_mac.reset();
    m_fm.reset();
}

void TestSettingsPages::erasedImageShowsFirstItems()
{
    Fill(&m_image, 0xFF);
    m_mac->UpdData();
    const QStringList boxes = {"comboBox_SqlLev", "comboBox_RcvScanWay", "comboBox_Tail", "comboBox_KeyTone",
                               "comboBox_VoiType", "comboBox_VoxLev", "comboBox_TotLev", "comboBox_PowSavLev",
                               "comboBox_DtmEncCon", "comboBox_DtmEncTone"};
    const QStringList shown = {"0", "载波", "关闭", "关闭", "中文", "关闭", "关闭", "关闭", "发射开始", "关闭"};
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(m_mac->findChild<QComboBox *>(boxes.at(i))->currentText(), shown.at(i));

    Fill(&m_image, 0xFF);
    m_mac->GetData();
    const QByteArray zeros(13, '\0');
    QCOMPARE(QByteArray(reinterpret_cast<char *>(m_image.bytes()) + 0x07, 3), zeros.left(3));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(m_image.bytes()) + 0x0C, 8), zeros.left(8));   // 0x0C..0x13
    QCOMPARE(m_image.at(0x1C), uint8_t(0));
    QCOMPARE(m_image.at(0x1D), uint8_t(0));
}

void TestSettingsPages::settingCodes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("tail elimination on") << "comboBox_Tail" << 0x07 << 1 << "打开" << 1;
    QTest::newRow("squelch level 9") << "comboBox_SqlLev" << 0x08 << 9 << "9" << 9;
    QTest::newRow("squelch level 10 shows the first item") << "comboBox_SqlLev" << 0x08 << 10 << "0" << 0;
    QTest::newRow("scan mode time") << "comboBox_RcvScanWay" << 0x09 << 1 << "时间" << 1;
    QTest::newRow("1750 Hz tone on") << "comboBox_KeyTone" << 0x0C << 1 << "打开" << 1;
    QTest::newRow("voice English") << "comboBox_VoiType" << 0x0D << 1 << "英文" << 1;
    QTest::newRow("VOX level 9") << "comboBox_VoxLev" << 0x0F << 9 << "9" << 9;
    QTest::newRow("VOX code 10 is off") << "comboBox_VoxLev" << 0x0F << 10 << "关闭" << 0;
    QTest::newRow("time-out code 10 is 300S") << "comboBox_TotLev" << 0x10 << 10 << "300S" << 10;
    QTest::newRow("time-out code 11 is off") << "comboBox_TotLev" << 0x10 << 11 << "关闭" << 0;
    QTest::newRow("battery save code 3 is 1:3") << "comboBox_PowSavLev" << 0x11 << 3 << "1:3" << 3;
    QTest::newRow("battery save code 4 is off") << "comboBox_PowSavLev" << 0x11 << 4 << "关闭" << 0;
    QTest::newRow("send condition 1 is TX end") << "comboBox_DtmEncCon" << 0x1C << 1 << "发射结束" << 1;
    QTest::newRow("send condition 2 is TX start") << "comboBox_DtmEncCon" << 0x1C << 2 << "发射开始" << 0;
    QTest::newRow("sidetone on") << "comboBox_DtmEncTone" << 0x1D << 1 << "打开" << 1;
    QTest::newRow("hidden man-down alarm 1 survives") << "comboBox_FallGroAlarm" << 0x0E << 1 << "打开" << 1;
    QTest::newRow("hidden man-down alarm 2 becomes 0") << "comboBox_FallGroAlarm" << 0x0E << 2 << "关闭" << 0;
}

void TestSettingsPages::settingCodes()
{
    QFETCH(QString, box);
    QFETCH(int, offset);
    QFETCH(int, code);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    m_image.at(offset) = uint8_t(code);
    m_mac->UpdData();
    QCOMPARE(m_mac->findChild<QComboBox *>(box)->currentText(), shown);
    Fill(&m_image, 0xFF);
    m_mac->GetData();
    QCOMPARE(int(m_image.at(offset)), stored);
    QCOMPARE(m_image.at(0x12), uint8_t(0));
    QCOMPARE(m_image.at(0x13), uint8_t(0));
}

void TestSettingsPages::dtmfCodesLoadAndStore()
{
    Fill(&m_image, 0xFF);
    const QByteArray ptt = QByteArray::fromHex("0A0B0C0D0E0F0001");
    const QByteArray id = QByteArray::fromHex("010203FF");
    const QByteArray stun = QByteArray::fromHex("05FFFFFFFFFFFFFF");
    const QByteArray kill = QByteArray::fromHex("0102100405060708");
    std::memcpy(m_image.bytes() + 0x14, ptt.constData(), 8);
    std::memcpy(m_image.bytes() + 0x24, id.constData(), 4);
    std::memcpy(m_image.bytes() + 0x34, stun.constData(), 8);
    std::memcpy(m_image.bytes() + 0x3C, kill.constData(), 8);
    m_mac->UpdData();
    QCOMPARE(m_mac->findChild<QTableWidget *>("tableWidget_DtmEncId")->item(0, 0)->text(), QString("ABCDEF01"));
    QCOMPARE(m_mac->findChild<QTableWidget *>("tableWidget_DtmfMacId")->item(0, 0)->text(), QString("123"));
    QCOMPARE(m_mac->findChild<QTableWidget *>("tableWidget_DtmRemHalId")->item(0, 0)->text(), QString("5"));
    QCOMPARE(m_mac->findChild<QTableWidget *>("tableWidget_DtmKillId")->item(0, 0)->text(), QString("12"));

    Fill(&m_image, 0xFF);
    m_mac->GetData();
    const auto bytes = [this](int offset, int len) {
        return QByteArray(reinterpret_cast<char *>(m_image.bytes()) + offset, len).toHex(' ');
    };
    QCOMPARE(bytes(0x14, 8), ptt.toHex(' '));
    QCOMPARE(bytes(0x24, 4), id.toHex(' '));
    QCOMPARE(bytes(0x34, 8), stun.toHex(' '));
    QCOMPARE(bytes(0x3C, 8), QByteArray::fromHex("0102FFFFFFFFFFFF").toHex(' '));
    // The bytes between the fields belong to other pages or to none.
    QCOMPARE(bytes(0x20, 4), QByteArray(4, char(0xFF)).toHex(' '));
    QCOMPARE(bytes(0x28, 12), QByteArray(12, char(0xFF)).toHex(' '));
}

void TestSettingsPages::codeEditors_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");
    QTest::newRow("PTT ID: two characters commit as empty") << "tableWidget_DtmEncId" << "12" << "";
    QTest::newRow("PTT ID: three characters are kept") << "tableWidget_DtmEncId" << "123" << "123";
    QTest::newRow("PTT ID: the ninth character is refused") << "tableWidget_DtmEncId" << "123456789" << "12345678";
    QTest::newRow("PTT ID: upper-case letters pass") << "tableWidget_DtmEncId" << "ABCDEF01" << "ABCDEF01";
    QTest::newRow("PTT ID: lower case is refused") << "tableWidget_DtmEncId" << "1a2b3c" << "123";
    QTest::newRow("PTT ID: G, * and # are refused") << "tableWidget_DtmEncId" << "1G2*3#" << "123";
    QTest::newRow("ID code: at most four digits") << "tableWidget_DtmfMacId" << "123456" << "1234";
    QTest::newRow("ID code: no letters") << "tableWidget_DtmfMacId" << "1A2B3" << "123";
    QTest::newRow("ID code: letters leave too few digits") << "tableWidget_DtmfMacId" << "1ABC2" << "";
    QTest::newRow("stun code: eight characters") << "tableWidget_DtmRemHalId" << "FEDCBA987" << "FEDCBA98";
    QTest::newRow("kill code: three characters") << "tableWidget_DtmKillId" << "0F0" << "0F0";
}

void TestSettingsPages::codeEditors()
{
    QFETCH(QString, table);
    QFETCH(QString, keys);
    QFETCH(QString, cell);
    auto *t = m_mac->findChild<QTableWidget *>(table);
    QCOMPARE(TypeIntoCell(t, 0, 0, keys), cell);
    // The committed code is what GetData stores.
    Fill(&m_image, 0xFF);
    m_mac->GetData();
    m_mac->UpdData();
    QCOMPARE(t->item(0, 0)->text(), cell);
}

void TestSettingsPages::fmPageLoadsWords_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QString>("cell");
    QTest::newRow("03 6B is 87.5") << QByteArray::fromHex("036B") << "87.5";
    QTest::newRow("02 8A is 65.0") << QByteArray::fromHex("028A") << "65.0";
    QTest::newRow("04 38 is 108.0") << QByteArray::fromHex("0438") << "108.0";
    QTest::newRow("649 is empty") << QByteArray::fromHex("0289") << "";
    QTest::newRow("1081 is empty") << QByteArray::fromHex("0439") << "";
    QTest::newRow("00 00 is empty") << QByteArray::fromHex("0000") << "";
    QTest::newRow("FF FF is empty") << QByteArray::fromHex("FFFF") << "";
}

void TestSettingsPages::fmPageLoadsWords()
{
    QFETCH(QByteArray, word);
    QFETCH(QString, cell);
    auto *table = m_fm->findChild<QTableWidget *>("tableWidget");
    for (int ch = 0; ch < 16; ch += 5) {   // channels 1, 6, 11, 16
        Fill(&m_image, 0xFF);
        std::memcpy(m_image.bytes() + 0x44 + 2 * ch, word.constData(), 2);
        m_fm->UpdData();
        for (int r = 0; r < 16; ++r)
            QCOMPARE(table->item(r, 1)->text(), r == ch ? cell : QString());
    }
}

void TestSettingsPages::fmPageStoresAndReloads()
{
    auto *table = m_fm->findChild<QTableWidget *>("tableWidget");
    QCOMPARE(TypeIntoCell(table, 0, 1, "87.5"), QString("87.5"));
    QCOMPARE(TypeIntoCell(table, 2, 1, "100.1"), QString("100.1"));
    Fill(&m_image, 0xFF);
    m_fm->GetData();
    QCOMPARE(QByteArray(reinterpret_cast<char *>(m_image.bytes()) + 0x44, 6).toHex(' '),
             QByteArray::fromHex("036BFFFF03E9").toHex(' '));
    QCOMPARE(m_image.at(0x1E), uint8_t(0x00));
    QCOMPARE(m_image.at(0x1F), uint8_t(0x05));
    QCOMPARE(m_image.at(0x06), uint8_t(0x00));

    // The stored image shows the same table again.
    for (int r = 0; r < 16; ++r)
        table->item(r, 1)->setText("99.9");
    m_fm->UpdData();
    QCOMPARE(table->item(0, 1)->text(), QString("87.5"));
    QCOMPARE(table->item(1, 1)->text(), QString());
    QCOMPARE(table->item(2, 1)->text(), QString("100.1"));
}

void TestSettingsPages::fmEditor_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");
    QTest::newRow("88.06 rounds to 88.1") << "88.06" << "88.1";
    QTest::newRow("87.5 stays") << "87.5" << "87.5";
    QTest::newRow("120 is limited to 108.0") << "120" << "108.0";
    QTest::newRow("50 is raised to 65.0") << "50" << "65.0";
    QTest::newRow("empty stays empty") << "" << "";
    QTest::newRow("letters are refused") << "9a8.b5" << "98.5";
    QTest::newRow("at most five characters") << "100.15" << "100.1";
    QTest::newRow("99999 is limited to 108.0") << "99999" << "108.0";
}

void TestSettingsPages::fmEditor()
{
    QFETCH(QString, keys);
    QFETCH(QString, cell);
    QCOMPARE(TypeIntoCell(m_fm->findChild<QTableWidget *>("tableWidget"), 7, 1, keys), cell);
}

void TestSettingsPages::fmChannelColumnIsFixed()
{
    auto *table = m_fm->findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->rowCount(), 16);
    for (int r = 0; r < 16; ++r) {
        QCOMPARE(table->item(r, 0)->text(), QString::asprintf("%02d", r + 1));
        QVERIFY(!(table->item(r, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(table->item(r, 0)->background().color(), QColor(0, 85, 255, 165));
    }
    table->setCurrentCell(3, 0);
    table->editItem(table->item(3, 0));
    QVERIFY(!table->indexWidget(table->model()->index(3, 0)));
}

void TestSettingsPages::pagesInEnglish()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(RUN_DIR "/datafile/English.qm")));
    QCoreApplication::installTranslator(&translator);
    MACSET_Form mac(nullptr, &m_image);
    RADIOSET_Form fm(nullptr, &m_image);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(mac.findChild<QGroupBox *>("groupBox_7")->title(), QString("General"));
    QCOMPARE(mac.findChild<QComboBox *>("comboBox_RcvScanWay")->itemText(0), QString("Carrier"));
    QCOMPARE(mac.findChild<QComboBox *>("comboBox_TotLev")->itemText(10), QString("300S"));
    QCOMPARE(fm.findChild<QTableWidget *>("tableWidget")->horizontalHeaderItem(1)->text(),
             QString("Frequency (MHz)"));
    const QStringList texts = VisibleTexts(&mac) + VisibleTexts(&fm);
    QVERIFY(texts.size() > 40);
    for (const QString &t : texts)
        QVERIFY2(!HasChinese(t), qPrintable(t));
}

void TestSettingsPages::pagesInChinese()
{
    QCOMPARE(m_mac->findChild<QGroupBox *>("groupBox_7")->title(), QString("常规设置"));
    QCOMPARE(m_mac->findChild<QComboBox *>("comboBox_RcvScanWay")->itemText(0), QString("载波"));
    QCOMPARE(m_mac->findChild<QLabel *>("label_DtmKillId")->text(), QString("遥毙码"));
    QCOMPARE(m_fm->findChild<QLabel *>("label")->text(), QString("收音机设置"));
    QCOMPARE(m_fm->findChild<QTableWidget *>("tableWidget")->horizontalHeaderItem(0)->text(), QString("收音机信道"));
    QVERIFY(!m_mac->findChild<QLabel *>("label_26")->isVisibleTo(m_mac.get()));
    QVERIFY(!m_mac->findChild<QComboBox *>("comboBox_FallGroAlarm")->isVisibleTo(m_mac.get()));
}

QTEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
