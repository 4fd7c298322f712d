// Operations that fail: each result code with its message, and what a
// failed read leaves behind.
#include "linkharness.h"
#include "modalcloser.h"

#include <QtTest>

class TestLinkFail : public QObject
{
    Q_OBJECT

private slots:
    void noPort_data();
    void noPort();
    void readFromAnotherModel();
    void linkFailure_data();
    void linkFailure();
    void hangUpLeavesThePagesAsTheyWere();
};

void TestLinkFail::noPort_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const QString en = "Failed to open the serial port, please refresh and choose again!";
    QTest::newRow("read") << "Chinese" << false << "[读频操作]" << "串口打开失败,请刷新重新选择!";
    QTest::newRow("write") << "Chinese" << true << "[写频操作]" << "串口打开失败,请刷新重新选择!";
    QTest::newRow("read in English") << "English" << false << "[Read Radio]" << en;
    QTest::newRow("write in English") << "English" << true << "[Write Radio]" << en;
}

void TestLinkFail::noPort()
{
    QFETCH(QString, language);
    QFETCH(bool, write);
    QFETCH(QString, title);
    QFETCH(QString, text);
    ScratchDir scratch;
    UseLanguage(scratch, qPrintable(language));
    MainWindow w;
    w.show();
    Read_Write_Port = scratch.file("no-such-port");
    ModalCloser closer;
    write ? MainWindowProbe::write(w) : MainWindowProbe::read(w);
    QCOMPARE(closer.titles, QStringList{title});
    QCOMPARE(closer.texts, QStringList{text});
    QVERIFY(w.isEnabled());
}

void TestLinkFail::readFromAnotherModel()
{
    ScratchDir scratch;
    UseLanguage(scratch, "Chinese");
    SimProcess sim({"--model", "0x6B06"});
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    const QByteArray before = Window(MainWindowProbe::image(w));
    ModalCloser closer;
    MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{"[读频操作]"});
    QCOMPARE(closer.texts, QStringList{"读取数据失败,非法机型!"});
    QCOMPARE(sim.frames(), QStringList{ConnectFrame()});
    QCOMPARE(Window(MainWindowProbe::image(w)), before);
}

void TestLinkFail::linkFailure_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QStringList>("requests");   // what reached the radio; W0: the write of block 0

    const QStringList firstBlockTwice{ConnectFrame(), ReadFrame(0), ReadFrame(0)};
    QTest::newRow("6B 05 at offsets 3 and 4 from the first block on")
        << QStringList{"--bad-addr-from", "2"} << false << firstBlockTwice;
    QTest::newRow("write: 6B 05 from the first block on")
        << QStringList{"--bad-addr-from", "2"} << true << QStringList{ConnectFrame(), "W0", "W0"};
    QTest::newRow("6B 05 in the handshake fails the connect, not the model check")
        << QStringList{"--bad-addr-from", "1"} << false << Frames(5, ConnectFrame());
    QTest::newRow("echoing cable: every reply starts with the request")
        << QStringList{"--echo"} << false << Frames(5, ConnectFrame());
    QTest::newRow("block read with 15 data bytes") << QStringList{"--short-block", "15"} << false << firstBlockTwice;
    QTest::newRow("block read with no data bytes") << QStringList{"--short-block", "0"} << false << firstBlockTwice;
}

// Code 3 names the cable; no end command follows a failure.
void TestLinkFail::linkFailure()
{
    QFETCH(QStringList, options);
    QFETCH(bool, write);
    QFETCH(QStringList, requests);
    ScratchDir scratch;
    UseLanguage(scratch, "Chinese");
    SimProcess sim(options);
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    ModalCloser closer;
    write ? MainWindowProbe::write(w) : MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{write ? "[写频操作]" : "[读频操作]"});
    QCOMPARE(closer.texts, QStringList{write ? "写入数据失败,请检查连接线路!" : "读取数据失败,请检查连接线路!"});
    requests.replaceInStrings(QRegularExpression("^W0$"), WriteFrame(0, MainWindowProbe::image(w)));
    QCOMPARE(sim.frames(), requests);
    QVERIFY(w.isEnabled() && !MainWindowProbe::busy(w));
}

// Ten blocks arrive, then the line drops: the image keeps what arrived but
// the pages are not refreshed from it.
void TestLinkFail::hangUpLeavesThePagesAsTheyWere()
{
    ScratchDir scratch;
    UseLanguage(scratch, "Chinese");
    const QByteArray radio = PatternImage(77);
    scratch.writeFile("radio.dat", radio);
    SimProcess sim({"--image", scratch.file("radio.dat"), "--version", "9.9", "--hangup-after", "10"});
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    MainWindowProbe::stack(w)->setCurrentIndex(3);
    const QString version = MainWindowProbe::version(w);
    MainWindowProbe::getRadioData(w);
    const QByteArray pages = Window(MainWindowProbe::image(w));

    ModalCloser closer;
    MainWindowProbe::read(w);
    QCOMPARE(closer.texts, QStringList{"读取数据失败,请检查连接线路!"});
    QStringList expected{ConnectFrame()};
    for (int k = 0; k < 10; ++k)
        expected << ReadFrame(k);
    QCOMPARE(sim.frames(), expected);

    QCOMPARE(Window(MainWindowProbe::image(w)).left(10 * kBlockSize), Window(radio).left(10 * kBlockSize));
    QCOMPARE(MainWindowProbe::image(w).Header.VerMajor, uint8_t(9));
    QCOMPARE(MainWindowProbe::version(w), version);
    QCOMPARE(MainWindowProbe::stack(w)->currentIndex(), 3);
    MainWindowProbe::getRadioData(w);
    QCOMPARE(Window(MainWindowProbe::image(w)), pages);
}

QTEST_MAIN(TestLinkFail)
#include "tst_link_fail.moc"
