// Operations that fail: each result code with its message, and what a
// failure leaves behind.
#include "linkharness.h"
#include "modalcloser.h"

#include <QtTest>

class TestLinkFail : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noPort_data();
    void noPort();
    void readFromAnotherModel();
    void linkFailure_data();
    void linkFailure();
    void failedReadLeavesThePages();

private:
    ScratchDir *m_scratch = nullptr;
    QTemporaryDir *m_dir = nullptr;
};

void TestLinkFail::init()
{
    m_scratch = new ScratchDir;
    m_scratch->writeFile("datafile/sysset.ini", LinkSettings("Chinese"));
    m_dir = new QTemporaryDir;
}

void TestLinkFail::cleanup()
{
    delete m_dir;
    delete m_scratch;
}

void TestLinkFail::noPort_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("read") << "Chinese" << false << "[读频操作]" << "串口打开失败,请刷新重新选择!";
    QTest::newRow("write") << "Chinese" << true << "[写频操作]" << "串口打开失败,请刷新重新选择!";
    QTest::newRow("read in English") << "English" << false << "[Read Radio]"
                                     << "Failed to open the serial port, please refresh and choose again!";
    QTest::newRow("write in English") << "English" << true << "[Write Radio]"
                                      << "Failed to open the serial port, please refresh and choose again!";
}

void TestLinkFail::noPort()
{
    QFETCH(QString, language);
    QFETCH(bool, write);
    QFETCH(QString, title);
    QFETCH(QString, text);
    m_scratch->writeFile("datafile/sysset.ini", LinkSettings(qPrintable(language)));

    MainWindow w;
    w.show();
    Read_Write_Port = m_scratch->file("no-such-port");
    ModalCloser closer;
    write ? MainWindowProbe::write(w) : MainWindowProbe::read(w);
    QCOMPARE(closer.titles, QStringList{title});
    QCOMPARE(closer.texts, QStringList{text});
    QVERIFY(w.isEnabled());
}

void TestLinkFail::readFromAnotherModel()
{
    SimProcess sim({"--image", WriteFile(*m_dir, "radio.dat", PatternImage(1)), "--model", "0x6B06"});
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    const QByteArray windowBefore = Window(MainWindowProbe::image(w));
    ModalCloser closer;
    MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{"[读频操作]"});
    QCOMPARE(closer.texts, QStringList{"读取数据失败,非法机型!"});
    QCOMPARE(sim.requests(), QStringList{ConnectFrame()});
    QCOMPARE(Window(MainWindowProbe::image(w)), windowBefore);
}

void TestLinkFail::linkFailure_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QStringList>("requests");   // what reached the radio, in order; W0: the write of block 0
    QTest::addColumn<QString>("text");

    const QString read = "读取数据失败,请检查连接线路!";
    const QString write = "写入数据失败,请检查连接线路!";

    QTest::newRow("6B 05 at offsets 3 and 4 from the first block on fails that block")
        << QStringList{"--bad-addr-from", "2"} << false << QStringList{ConnectFrame(), ReadFrame(0), ReadFrame(0)}
        << read;
    QTest::newRow("write: 6B 05 from the first block on")
        << QStringList{"--bad-addr-from", "2"} << true << QStringList{ConnectFrame(), "W0", "W0"}
        << write;
    QTest::newRow("6B 05 in the handshake fails the connect, not the model check")
        << QStringList{"--bad-addr-from", "1"} << false << Repeat(ConnectFrame(), 5) << read;
    QTest::newRow("echoing cable: every reply starts with the request")
        << QStringList{"--echo"} << false << Repeat(ConnectFrame(), 5) << read;
    QTest::newRow("block read with 15 data bytes")
        << QStringList{"--short-block", "15"} << false << QStringList{ConnectFrame(), ReadFrame(0), ReadFrame(0)}
        << read;
    QTest::newRow("block read with no data bytes")
        << QStringList{"--short-block", "0"} << false << QStringList{ConnectFrame(), ReadFrame(0), ReadFrame(0)}
        << read;
    QStringList hungUp{ConnectFrame()};
    for (int k = 0; k < 3; ++k)
        hungUp << ReadFrame(k);
    QTest::newRow("radio hangs up after block 3") << QStringList{"--hangup-after", "3"} << false << hungUp << read;
}

// Code 3: the message names the cable; no end command follows a failure.
void TestLinkFail::linkFailure()
{
    QFETCH(QStringList, options);
    QFETCH(bool, write);
    QFETCH(QStringList, requests);
    QFETCH(QString, text);

    SimProcess sim(options);
    QVERIFY(!sim.port().isEmpty());
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    ModalCloser closer;
    write ? MainWindowProbe::write(w) : MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{write ? "[写频操作]" : "[读频操作]"});
    QCOMPARE(closer.texts, QStringList{text});
    sim.stop();
    requests.replaceInStrings(QRegularExpression("^W0$"), WriteFrame(0, MainWindowProbe::image(w)));
    QCOMPARE(sim.requests(), requests);
    QVERIFY(w.isEnabled());
    QVERIFY(!MainWindowProbe::busy(w));
}

// The image keeps what arrived, but the pages are not refreshed from it.
void TestLinkFail::failedReadLeavesThePages()
{
    const QByteArray radio = PatternImage(77);
    SimProcess sim({"--image", WriteFile(*m_dir, "radio.dat", radio), "--version", "9.9", "--hangup-after", "10"});
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    MainWindowProbe::stack(w)->setCurrentIndex(3);
    const QString version = MainWindowProbe::versionText(w);
    MainWindowProbe::getRadioData(w);
    const QByteArray pages = Window(MainWindowProbe::image(w));

    ModalCloser closer;
    MainWindowProbe::read(w);
    QCOMPARE(closer.texts, QStringList{"读取数据失败,请检查连接线路!"});

    // Ten blocks arrived and sit in the image ...
    QCOMPARE(Window(MainWindowProbe::image(w)).left(10 * kBlockSize), Window(radio).left(10 * kBlockSize));
    QCOMPARE(MainWindowProbe::image(w).Header.VerMajor, uint8_t(9));
    // ... but the pages still show what they showed.
    QCOMPARE(MainWindowProbe::versionText(w), version);
    QCOMPARE(MainWindowProbe::stack(w)->currentIndex(), 3);
    MainWindowProbe::getRadioData(w);
    QCOMPARE(Window(MainWindowProbe::image(w)), pages);
}

QTEST_MAIN(TestLinkFail)
#include "tst_link_fail.moc"
