#include "app/mainwindow.h"
#include "channels/channelinfo_form.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextCodec>

namespace {

QByteArray Settings(const QString &language)
{
    const QString ini = QStringLiteral(
            "[SYSSET]\nSerialNumber=ttyS0\nLanguage=%1\nFirstRun=No\nStartBand=400\nEndBand=470\n"
            "Version=1.01\nFilePathDef=./datafile/default.dat\nChanNum=16\nChanLimit=1\n"
            "BandRangText=400MHz~470MHz\nSoftName=HT-6B05\n").arg(language);
    return QTextCodec::codecForName("GB2312")->fromUnicode(ini);
}

QByteArray Be32(uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(v >> (24 - 8 * i));
    return b;
}

} // namespace

class TestChannelSave : public QObject
{
    Q_OBJECT

private slots:
    void editEveryColumnMoveAndSave_data();
    void editEveryColumnMoveAndSave();

private:
    QWidget *openEditor(int row, int column);
    void typeInto(int row, int column, const QString &keys);
    void choose(int row, int column, int index);

    QTableWidget *m_table = nullptr;
};

QWidget *TestChannelSave::openEditor(int row, int column)
{
    m_table->editItem(m_table->item(row, column));
    return m_table->indexWidget(m_table->model()->index(row, column));
}

void TestChannelSave::typeInto(int row, int column, const QString &keys)
{
    auto *edit = qobject_cast<QLineEdit *>(openEditor(row, column));
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Enter);
    QCoreApplication::processEvents();
}

void TestChannelSave::choose(int row, int column, int index)
{
    auto *combo = qobject_cast<QComboBox *>(openEditor(row, column));
    QVERIFY(combo);
    combo->setCurrentIndex(index);
    QTest::keyClick(combo, Qt::Key_Enter);
    QCoreApplication::processEvents();
}

void TestChannelSave::editEveryColumnMoveAndSave_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("shown");   // header of column 1, power and tone of row 0
    QTest::newRow("Chinese") << "Chinese" << QStringList({"接收频率", "高", "无"});
    QTest::newRow("English") << "English" << QStringList({"RX Freq", "High", "None"});
}

void TestChannelSave::editEveryColumnMoveAndSave()
{
    QFETCH(QString, language);
    QFETCH(QStringList, shown);
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", Settings(language));
    ModalCloser closer;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *page = window.findChild<CHANNELINFO_Form *>();
    QVERIFY(page);
    window.findChild<QStackedWidget *>()->setCurrentWidget(page);
    m_table = page->findChild<QTableWidget *>("tableWidget");
    QVERIFY(m_table->rowCount() >= 2);
    QCOMPARE(m_table->horizontalHeaderItem(ColRxFreq)->text(), shown.at(0));
    QCOMPARE(m_table->item(0, ColPower)->text(), shown.at(1));
    QCOMPARE(m_table->item(0, ColTxTone)->text(), shown.at(2));

    // Loaded and stored unchanged: the channel region of the delivered file comes back bit for bit.
    window.MenuActionSaveFile(dir.file("before.dat"));
    const QByteArray before = dir.readFile("before.dat");
    const QByteArray delivered = dir.readFile("datafile/default.dat");
    QCOMPARE(before.size(), kImageSize);
    QCOMPARE(before.mid(100), delivered.mid(100));
    QCOMPARE(before.mid(4, 2) + before.mid(10, 2) + before.mid(40, 4),
             delivered.mid(4, 2) + delivered.mid(10, 2) + delivered.mid(40, 4));

    // Every editable column of row 1, then row 1 moves up.
    typeInto(1, ColRxFreq, "433.0125");
    typeInto(1, ColTxFreq, "438.013");        // snapped to 438.0125
    choose(1, ColBandwidth, 1);               // 12.5k
    choose(1, ColPower, 1);                   // low
    choose(1, ColScan, 1);                    // not scanned
    choose(1, ColTxTone, 260);                // D754I: DCS inverted, code 104
    choose(1, ColRxTone, 54);                 // D031N: DCS normal, code 3
    choose(1, ColBusyLock, 1);                // lockout on
    choose(1, ColPttDial, 1);                 // PTT dialling on
    m_table->setCurrentCell(1, 0);
    page->findChild<QPushButton *>("pushButton_UpMove")->click();
    window.MenuActionSaveFile(dir.file("after.dat"));
    QCOMPARE(closer.titles.size(), 2);

    QByteArray expected = before;
    const QByteArray edited = Be32(433012500) + Be32(438012500) + QByteArray("\x68\x03\xD8\xE0", 4)
            + before.mid(116 + 12, 4);
    expected.replace(100, 16, edited);
    expected.replace(116, 16, before.mid(100, 16));
    const uint32_t oldMask = static_cast<uint32_t>(qFromBigEndian<quint32>(before.constData() + 40));
    expected.replace(40, 4, Be32((oldMask & ~3u) | 1u | ((oldMask & 1u) << 1)));
    QCOMPARE(dir.readFile("after.dat"), expected);
}

QTEST_MAIN(TestChannelSave)
#include "tst_channelsave.moc"
