// Reads and writes against a radio that misbehaves, or whose port vanishes
// mid-transfer: each gives its result code after exactly the specified tries,
// and a failed read changes nothing that a write or a save would use.
// --alter is left out: it only changes the data a block read reports, which
// to the window is data like any other (the command-line verify uses it).
#include "linkharness.h"

#include <QElapsedTimer>

#include <ctime>

namespace {

// One read or write against a misbehaving radio: the emulator's options
// (none: no such port), the message text, the requests that reached the
// radio (connects connect requests, then the given blocks, then on success
// the end command), the bar values reached, and when to kill the emulator.
struct Fault {
    QString options;
    bool write;
    QString text;
    int connects;
    QList<int> blocks;
    int progress;
    int killAt = -1;
};

// Runs the operation and checks its message, requests and bar. Afterwards
// the window is usable; a read that failed leaves the image, the header
// shown and what a save writes as they were; a write never changes the
// pages, and the radio holds exactly the blocks it was sent.
void CheckFault(const Fault &f)
{
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { qFatal("link operation still running after 60 s"); });
    watchdog.start(60000);
    Link link(f.options.split(' ', Qt::SkipEmptyParts));
    if (f.options.isEmpty())
        Read_Write_Port = link.scratch.file("no-such-port");
    link.killAt = f.killAt;
    const QByteArray saved = link.save("before.dat"), image = MainWindowProbe::bytes(link.w);
    const QString version = link.version();
    const bool ok = f.progress == kFullProgress.size();

    // Waits sleep: the process's own processor time stays far below the wall
    // time, also while a port hangs up or vanishes under the wait.
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu0 = std::clock();
    QCOMPARE(link.run(f.write), (f.write ? "[写频操作] " : "[读频操作] ") + f.text);
    const qint64 cpuMs = qint64(std::clock() - cpu0) * 1000 / CLOCKS_PER_SEC, wallMs = wall.elapsed();
    if (wallMs > 1000)
        QVERIFY2(cpuMs < wallMs / 4, qPrintable(QString("%1 ms of processor time in %2 ms").arg(cpuMs).arg(wallMs)));
    QTRY_COMPARE(link.sim.frames(), Requests(f.connects, f.blocks, f.write ? saved : QByteArray())
                                            + (ok ? QStringList{kEndReq} : QStringList()));
    QCOMPARE(link.values, kFullProgress.mid(0, f.progress));
    QVERIFY(link.w.isEnabled() && !MainWindowProbe::busy(link.w));
    const QByteArray now = MainWindowProbe::bytes(link.w);
    if (ok && !f.write) {
        QCOMPARE(now, link.radio);
        QCOMPARE(link.version(), QString("V2.07"));
        return;
    }
    QCOMPARE(f.write ? now.mid(kHeaderSize) : now, f.write ? image.mid(kHeaderSize) : image);
    QCOMPARE(link.version(), version);
    QCOMPARE(link.save("after.dat"), saved);
    if (f.write && f.killAt < 0) {
        QByteArray held = link.radio;
        for (int n : f.blocks) {
            const int at = kHeaderSize + kBlockSize * n;
            held.replace(at, kBlockSize, saved.mid(at, kBlockSize));
        }
        link.sim.stop();
        QCOMPARE(link.scratch.readFile("saved.dat").mid(kHeaderSize), held.mid(kHeaderSize));
    }
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestLinkFaults : public QObject
{
    Q_OBJECT

private slots:
    void failure_data();
    void failure() { QFETCH(Fault, f); CheckFault(f); }
    void recovery_data();
    void recovery() { QFETCH(Fault, f); CheckFault(f); }
};

void TestLinkFaults::failure_data()
{
    QTest::addColumn<Fault>("f");
    const QString noPort = "串口打开失败,请刷新重新选择!", readFail = "读取数据失败,请检查连接线路!",
                  writeFail = "写入数据失败,请检查连接线路!";
    auto both = [&](const char *name, const char *options, int connects, const QList<int> &blocks, int progress) {
        QTest::addRow("%s: read", name) << Fault{options, false, readFail, connects, blocks, progress};
        QTest::addRow("%s: write", name) << Fault{options, true, writeFail, connects, blocks, progress};
    };
    QTest::newRow("no port: read") << Fault{"", false, noPort, 0, {}, 0};
    QTest::newRow("no port: write") << Fault{"", true, noPort, 0, {}, 0};
    QTest::newRow("another model: read") << Fault{"--model 0x6B06", false, "读取数据失败,非法机型!", 1, {}, 1};
    QTest::newRow("another model: write") << Fault{"--model 0x1234", true, "写入数据失败,机型错误!", 1, {}, 1};

    // Silence during the connect, which reads and writes share, and during the blocks.
    QTest::newRow("silent radio: read, five connect tries") << Fault{"--silent", false, readFail, 5, {}, 0};
    QTest::newRow("radio falls silent at block 3: write, two tries")
        << Fault{"--silent --exchanges 5-", true, writeFail, 1, {0, 1, 2, 3, 3}, 4};
    both("6B 05 in the handshake fails the connect, not the model check", "--bad-addr-from 1", 5, {}, 0);
    both("6B 05 from block 0 on", "--bad-addr-from 2", 1, {0, 0}, 1);
    both("block 3 garbled twice", "--garble 2 --exchanges 5-", 1, {0, 1, 2, 3, 3}, 4);
    both("echoing cable", "--echo", 5, {}, 0);
    both("replies in two bursts 200 ms apart", "--split 5", 5, {}, 0);
    both("block 0 answered after 2500 ms, too late for both tries", "--delay 2500 --exchanges 2-3", 1, {0, 0}, 1);
    // A write gets no data back, so it cannot meet a short block.
    QTest::newRow("block read with 15 data bytes: read")
        << Fault{"--short-block 15", false, readFail, 1, {0, 0}, 1};
    both("port hangs up after block 1", "--hangup-after 2", 1, {0, 1}, 3);
    // The next request meets a port already gone (a hang-up comes while the
    // reply is awaited); reads and writes send it alike.
    QTest::newRow("emulator killed after block 1: write") << Fault{"--pace", true, writeFail, 1, {0, 1}, 3, 3};
}

// Faults the tries get over: the operation succeeds with exactly the right
// bytes in the image (read) or the radio (write).
void TestLinkFaults::recovery_data()
{
    QTest::addColumn<Fault>("f");
    const int all = kFullProgress.size();
    auto both = [&](const char *name, const char *options, const QList<int> &blocks) {
        QTest::addRow("%s: read", name) << Fault{options, false, "读取数据成功!", 1, blocks, all};
        QTest::addRow("%s: write", name) << Fault{options, true, "写入数据成功!", 1, blocks, all};
    };
    both("block 8 garbled once", "--garble 1 --exchanges 10", AllBlocks({8}));
    QTest::newRow("bursts 30 ms apart up to block 7: read")
        << Fault{"--split 5 --split-gap 30 --exchanges 1-9", false, "读取数据成功!", 1, AllBlocks(), all};
    QTest::newRow("block 1 after 800 ms: write")
        << Fault{"--delay 800 --exchanges 3", true, "写入数据成功!", 1, AllBlocks(), all};
    // The second try takes the late answer to the first; the answer to the
    // second comes during block 3's wait and would pass for block 3's data.
    QTest::newRow("block 2 answered 1300 ms late twice, the second answer dropped: read")
        << Fault{"--delay 1300 --exchanges 4-5", false, "读取数据成功!", 1, AllBlocks({2}), all};
    // A try that got a rejected burst may still be answered: its answer
    // comes during the retry, the retry's own answer during the next
    // block's wait, where it must not pass for that block's confirm.
    both("a stray byte at 300 ms, then block 2 answered after 700 ms", "--delay 700 --exchanges 4-5 --stray 4:300",
         AllBlocks({2}));
    QTest::newRow("block 2's echo in a burst of its own, its confirm 400 ms later: read")
        << Fault{"--echo --split 8 --split-gap 400 --exchanges 4-5", false, "读取数据成功!", 1, AllBlocks({2}), all};
    QTest::newRow("block 2's echo in a burst of its own, its confirm 400 ms later: write")
        << Fault{"--echo --split 24 --split-gap 400 --exchanges 4-5", true, "写入数据成功!", 1, AllBlocks({2}), all};
    QTest::newRow("a radio that answers every request after 900 ms: read")
        << Fault{"--delay 900", false, "读取数据成功!", 1, AllBlocks(), all};
}

QTEST_MAIN(TestLinkFaults)
#include "tst_link_faults.moc"
