// Serial transport against the emulated radio on a pseudo-terminal.
#include "linkharness.h"

#include <QtTest>

namespace {

const QString kConnect = QStringLiteral("FEA5E0056B00FDFD");
const QString kConnectCnf = QStringLiteral("FEA5E1056B04056B0105FD");

// Records every reply handed to the check; accepts the connect confirm.
bool Record(const QString &reply, void *replies)
{
    *static_cast<QStringList *>(replies) << reply;
    return reply == kConnectCnf;
}

// One connect exchange on a fresh Serial opened on port.
bool Exchange(const QString &port, uint8_t tries, QStringList *replies, TPYSERIALLINE_E line = SERIALLINE_NORMAL)
{
    Read_Write_Port = port;
    Serial serial(nullptr, line);
    SerialWirteReadData_S ex{&kConnect, replies, Record, tries};
    return serial.SelfOpen() && serial.SelfWriteReadData(&ex);
}

} // namespace

class TestLinkSerial : public QObject
{
    Q_OBJECT

private slots:
    void opensByDevicePathAndByLink();
    void noTriesWritesNothing();
    void noCheckReturnsAfterWriting();
    void garbledReplyIsRetriedOnReopenedPort();
    void replyInTwoBursts();
    void echoIsCutOnEchoLineOnly();
    void firstByteWait_data();
    void firstByteWait();
};

void TestLinkSerial::opensByDevicePathAndByLink()
{
    ScratchDir scratch{QStringList()};
    SimProcess sim({"--link", scratch.file("by-id-radio")});
    QStringList replies;
    QVERIFY(Exchange(sim.port(), 1, &replies));
    QVERIFY(Exchange(scratch.file("by-id-radio"), 1, &replies));
    QCOMPARE(replies, Frames(2, kConnectCnf));
    QVERIFY(!Exchange(scratch.file("no-such-port"), 1, &replies));
}

void TestLinkSerial::noTriesWritesNothing()
{
    SimProcess sim;
    QStringList replies;
    QVERIFY(!Exchange(sim.port(), 0, &replies));
    QVERIFY(Exchange(sim.port(), 1, &replies));
    QCOMPARE(sim.frames(), QStringList{kConnect});
}

// Without a check nothing is read: even a silent radio "answers".
void TestLinkSerial::noCheckReturnsAfterWriting()
{
    SimProcess sim({"--silent"});
    Read_Write_Port = sim.port();
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());
    SerialWirteReadData_S ex{&kConnect, nullptr, nullptr, 3};
    QVERIFY(serial.SelfWriteReadData(&ex));
    QCOMPARE(int(ex.TryNum), 2);
    QTRY_COMPARE(sim.frames(), QStringList{kConnect});
}

// The emulator keeps the port alive while the tool closes and reopens it.
void TestLinkSerial::garbledReplyIsRetriedOnReopenedPort()
{
    SimProcess sim({"--garble", "1"});
    QStringList replies;
    QVERIFY(Exchange(sim.port(), 2, &replies));
    QCOMPARE(replies.size(), 2);
    QCOMPARE(replies[1], kConnectCnf);
    QCOMPARE(sim.frames(), Frames(2, kConnect));
}

// Bursts more than 100 ms apart are two replies: the check sees the first alone.
void TestLinkSerial::replyInTwoBursts()
{
    SimProcess sim({"--split", "5", "--split-gap", "250"});
    QStringList replies;
    QVERIFY(!Exchange(sim.port(), 1, &replies));
    QCOMPARE(replies, QStringList{"FEA5E1056B"});
}

void TestLinkSerial::echoIsCutOnEchoLineOnly()
{
    SimProcess sim({"--echo"});
    QStringList replies;
    QVERIFY(!Exchange(sim.port(), 1, &replies, SERIALLINE_NORMAL));
    QVERIFY(Exchange(sim.port(), 1, &replies, SERIALLINE_ECHO));
    QCOMPARE(replies, QStringList({kConnect + kConnectCnf, kConnectCnf}));
}

void TestLinkSerial::firstByteWait_data()
{
    QTest::addColumn<QString>("delay");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("first byte after 600 ms is awaited") << "600" << true;
    QTest::newRow("first byte after 1300 ms is too late") << "1300" << false;
}

void TestLinkSerial::firstByteWait()
{
    QFETCH(QString, delay);
    QFETCH(bool, accepted);
    SimProcess sim({"--delay", delay});
    QStringList replies;
    QCOMPARE(Exchange(sim.port(), 1, &replies), accepted);
}

QTEST_MAIN(TestLinkSerial)
#include "tst_link_serial.moc"
