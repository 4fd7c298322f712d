// Reads and writes against a radio that misbehaves, or whose port vanishes
// mid-transfer: each gives its result code after exactly the specified tries,
// and a failed read changes nothing that a write or a save would use; on the
// standard and on the fast link alike.
// --alter is left out: it only changes the data a block read reports, which
// to a read is data like any other (the verifies after a write use it).
#include "linkharness.h"

class TestLinkFaults : public QObject
{
    Q_OBJECT

private slots:
    void failure_data();
    void failure() { QFETCH(Operation, op); CheckOperation(op); }
    void recovery_data();
    void recovery() { QFETCH(Operation, op); CheckOperation(op); }
    // Every row again on a fast link: the same requests and outcome, since a
    // reply ends early only when it holds its confirm and any failed try
    // brings back the specified timing.
    void fastFailure_data() { failure_data(); }
    void fastFailure() { QFETCH(Operation, op); op.fast = true; CheckOperation(op); }
    void fastRecovery_data() { recovery_data(); }
    void fastRecovery() { QFETCH(Operation, op); op.fast = true; CheckOperation(op); }
};

void TestLinkFaults::failure_data()
{
    QTest::addColumn<Operation>("op");
    const QString noPort = "串口打开失败,请刷新重新选择!", readFail = "读取数据失败,请检查连接线路!",
                  writeFail = "写入数据失败,请检查连接线路!";
    auto both = [&](const char *name, const char *options, int connects, const QList<int> &blocks, int progress) {
        QTest::addRow("%s: read", name) << Operation{options, false, readFail, connects, blocks, progress};
        QTest::addRow("%s: write", name) << Operation{options, true, writeFail, connects, blocks, progress};
    };
    QTest::newRow("no port: read") << Operation{"", false, noPort, 0, {}, 0};
    QTest::newRow("no port: write") << Operation{"", true, noPort, 0, {}, 0};
    QTest::newRow("another model: read") << Operation{"--model 0x6B06", false, "读取数据失败,非法机型!", 1, {}, 1};
    QTest::newRow("another model: write") << Operation{"--model 0x1234", true, "写入数据失败,机型错误!", 1, {}, 1};

    // Silence during the connect, which reads and writes share, and during the blocks.
    QTest::newRow("silent radio: read, five connect tries") << Operation{"--silent", false, readFail, 5, {}, 0};
    QTest::newRow("radio falls silent at block 3: write, two tries")
        << Operation{"--silent --exchanges 5-", true, writeFail, 1, {0, 1, 2, 3, 3}, 4};
    both("6B 05 in the handshake fails the connect, not the model check", "--bad-addr-from 1", 5, {}, 0);
    both("6B 05 from block 0 on", "--bad-addr-from 2", 1, {0, 0}, 1);
    both("block 3 garbled twice", "--garble 2 --exchanges 5-", 1, {0, 1, 2, 3, 3}, 4);
    both("echoing cable", "--echo", 5, {}, 0);
    both("replies in two bursts 200 ms apart", "--split 5", 5, {}, 0);
    both("block 0 answered after 2500 ms, too late for both tries", "--delay 2500 --exchanges 2-3", 1, {0, 0}, 1);
    // A write gets no data back, so it cannot meet a short block.
    QTest::newRow("block read with 15 data bytes: read")
        << Operation{"--short-block 15", false, readFail, 1, {0, 0}, 1};
    both("port hangs up after block 1", "--hangup-after 2", 1, {0, 1}, 3);
    // The next request meets a port already gone (a hang-up comes while the
    // reply is awaited); reads and writes send it alike.
    QTest::newRow("emulator killed after block 1: write") << Operation{"--pace", true, writeFail, 1, {0, 1}, 3, 3};
}

// Faults the tries get over: the operation succeeds with exactly the right
// bytes in the image (read) or the radio (write).
void TestLinkFaults::recovery_data()
{
    QTest::addColumn<Operation>("op");
    auto both = [&](const char *name, const char *options, const QList<int> &retried) {
        QTest::addRow("%s: read", name) << Success(options, false, retried);
        QTest::addRow("%s: write", name) << Success(options, true, retried);
    };
    both("block 8 garbled once", "--garble 1 --exchanges 10", {8});
    QTest::newRow("bursts 30 ms apart up to block 7: read")
        << Success("--split 5 --split-gap 30 --exchanges 1-9", false);
    QTest::newRow("block 1 after 800 ms: write") << Success("--delay 800 --exchanges 3", true);
    // The second try takes the late answer to the first; the answer to the
    // second comes during block 3's wait and would pass for block 3's data.
    QTest::newRow("block 2 answered 1300 ms late twice, the second answer dropped: read")
        << Success("--delay 1300 --exchanges 4-5", false, {2});
    // A try that got a rejected burst may still be answered: its answer
    // comes during the retry, the retry's own answer during the next
    // block's wait, where it must not pass for that block's confirm.
    both("a stray byte at 300 ms, then block 2 answered after 700 ms", "--delay 700 --exchanges 4-5 --stray 4:300",
         {2});
    QTest::newRow("block 2's echo in a burst of its own, its confirm 400 ms later: read")
        << Success("--echo --split 8 --split-gap 400 --exchanges 4-5", false, {2});
    QTest::newRow("block 2's echo in a burst of its own, its confirm 400 ms later: write")
        << Success("--echo --split 24 --split-gap 400 --exchanges 4-5", true, {2});
    QTest::newRow("a radio that answers every request after 900 ms: read") << Success("--delay 900", false);
}

QTEST_MAIN(TestLinkFaults)
#include "tst_link_faults.moc"
