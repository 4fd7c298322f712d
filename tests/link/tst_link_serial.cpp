// Serial transport against the emulated radio on a pseudo-terminal.
#include "link/frames.h"
#include "link/serial.h"

#include "linkharness.h"

#include <QtTest>

namespace {

const QString kConnect = QStringLiteral("FEA5E0056B00FDFD");
const QString kConnectCnf = QStringLiteral("FEA5E1056B04056B0105FD");

// Records every reply handed to the check; accepts the connect confirm.
struct Recorder {
    QStringList replies;
};

bool RecordAndCheck(const QString &reply, void *par)
{
    static_cast<Recorder *>(par)->replies << reply;
    return reply == kConnectCnf;
}

SerialWirteReadData_S Exchange(const QString *text, Recorder *rec, uint8_t tries)
{
    return SerialWirteReadData_S{text, rec, RecordAndCheck, tries};
}

} // namespace

class TestLinkSerial : public QObject
{
    Q_OBJECT

private slots:
    void opensByDevicePathAndByLink();
    void missingPortDoesNotOpen();
    void noTriesWritesNothing();
    void noCheckReturnsAfterWriting();
    void garbledReplyIsRetriedOnReopenedPort();
    void silentRadioUsesAllTries();
    void replyInTwoBursts();
    void echoLineCutsTheEcho();
    void firstByteWait_data();
    void firstByteWait();
};

void TestLinkSerial::opensByDevicePathAndByLink()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("by-id-radio");
    SimProcess sim({"--link", link});
    QVERIFY(!sim.port().isEmpty());

    for (const QString &name : {sim.port(), link}) {
        Read_Write_Port = name;
        Serial serial(nullptr, SERIALLINE_NORMAL);
        QVERIFY2(serial.SelfOpen(), qPrintable(name));
        Recorder rec;
        SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 1);
        QVERIFY2(serial.SelfWriteReadData(&ex), qPrintable(name));
        QCOMPARE(rec.replies, QStringList{kConnectCnf});
    }
    QCOMPARE(sim.requests(), QStringList({kConnect, kConnect}));
}

void TestLinkSerial::missingPortDoesNotOpen()
{
    Read_Write_Port = QStringLiteral("/dev/no-such-radio-port");
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(!serial.SelfOpen());

    // Never opened: no exchange is tried.
    Serial unopened(nullptr, SERIALLINE_NORMAL);
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 2);
    QVERIFY(!unopened.SelfWriteReadData(&ex));
    QVERIFY(rec.replies.isEmpty());
}

void TestLinkSerial::noTriesWritesNothing()
{
    SimProcess sim;
    Read_Write_Port = sim.port();
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 0);
    QVERIFY(!serial.SelfWriteReadData(&ex));

    // A second exchange shows the line is quiet and the first wrote nothing.
    SerialWirteReadData_S next = Exchange(&kConnect, &rec, 1);
    QVERIFY(serial.SelfWriteReadData(&next));
    QCOMPARE(sim.requests(), QStringList{kConnect});
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
    QTRY_COMPARE(sim.requests(), QStringList{kConnect});
}

void TestLinkSerial::garbledReplyIsRetriedOnReopenedPort()
{
    SimProcess sim({"--garble", "1"});
    Read_Write_Port = sim.port();
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 2);
    QVERIFY(serial.SelfWriteReadData(&ex));
    QCOMPARE(rec.replies.size(), 2);
    QVERIFY(rec.replies[0] != kConnectCnf);
    QCOMPARE(rec.replies[1], kConnectCnf);
    QCOMPARE(sim.requests(), QStringList({kConnect, kConnect}));
}

void TestLinkSerial::silentRadioUsesAllTries()
{
    SimProcess sim({"--silent"});
    Read_Write_Port = sim.port();
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 2);
    QVERIFY(!serial.SelfWriteReadData(&ex));
    QVERIFY(rec.replies.isEmpty());   // empty replies never reach the check
    QCOMPARE(sim.requests(), QStringList({kConnect, kConnect}));
}

// Bursts more than 100 ms apart are two replies: the check sees the first alone.
void TestLinkSerial::replyInTwoBursts()
{
    SimProcess sim({"--split", "5", "--split-gap", "250"});
    Read_Write_Port = sim.port();
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 1);
    QVERIFY(!serial.SelfWriteReadData(&ex));
    QCOMPARE(rec.replies, QStringList{"FEA5E1056B"});
}

void TestLinkSerial::echoLineCutsTheEcho()
{
    SimProcess sim({"--echo"});
    Read_Write_Port = sim.port();
    {
        Serial normal(nullptr, SERIALLINE_NORMAL);
        QVERIFY(normal.SelfOpen());
        Recorder rec;
        SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 1);
        QVERIFY(!normal.SelfWriteReadData(&ex));
        QCOMPARE(rec.replies, QStringList{kConnect + kConnectCnf});
    }
    Serial echo(nullptr, SERIALLINE_ECHO);
    QVERIFY(echo.SelfOpen());
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 1);
    QVERIFY(echo.SelfWriteReadData(&ex));
    QCOMPARE(rec.replies, QStringList{kConnectCnf});
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
    Read_Write_Port = sim.port();
    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());
    Recorder rec;
    SerialWirteReadData_S ex = Exchange(&kConnect, &rec, 1);
    QCOMPARE(serial.SelfWriteReadData(&ex), accepted);
}

QTEST_MAIN(TestLinkSerial)
#include "tst_link_serial.moc"
