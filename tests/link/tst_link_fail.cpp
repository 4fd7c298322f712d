// Operations that fail: each result code with its message, no end command
// after a failure, and the pages left as they were.
#include "linkharness.h"

class TestLinkFail : public QObject
{
    Q_OBJECT

private slots:
    void failure_data();
    void failure();
};

void TestLinkFail::failure_data()
{
    QTest::addColumn<Failure>("f");
    const QString noPort = "串口打开失败,请刷新重新选择!", cable = "读取数据失败,请检查连接线路!";
    QTest::newRow("no port: read") << Failure{{}, false, noPort, 0, {}, 0};
    QTest::newRow("no port: write") << Failure{{}, true, noPort, 0, {}, 0};
    QTest::newRow("read from another model") << Failure{{"--model", "0x6B06"}, false, "读取数据失败,非法机型!", 1, {}, 1};
    QTest::newRow("write to another model") << Failure{{"--model", "0x1234"}, true, "写入数据失败,机型错误!", 1, {}, 1};
    QTest::newRow("6B 05 at offsets 3 and 4 from the first block on")
        << Failure{{"--bad-addr-from", "2"}, false, cable, 1, {0, 0}, 1};
    QTest::newRow("write: 6B 05 from the first block on")
        << Failure{{"--bad-addr-from", "2"}, true, "写入数据失败,请检查连接线路!", 1, {0, 0}, 1};
    QTest::newRow("6B 05 in the handshake fails the connect, not the model check")
        << Failure{{"--bad-addr-from", "1"}, false, cable, 5, {}, 0};
    QTest::newRow("echoing cable: every reply starts with the request") << Failure{{"--echo"}, false, cable, 5, {}, 0};
    QTest::newRow("block read with 15 data bytes") << Failure{{"--short-block", "15"}, false, cable, 1, {0, 0}, 1};
    QTest::newRow("hang-up after ten blocks")
        << Failure{{"--hangup-after", "10"}, false, cable, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 11};
}

void TestLinkFail::failure()
{
    QFETCH(Failure, f);
    CheckFailure(f);
}

QTEST_MAIN(TestLinkFail)
#include "tst_link_fail.moc"
