// Complete reads and writes between the main window and the emulated radio.
#include "linkharness.h"

class TestLinkTransfer : public QObject
{
    Q_OBJECT

private slots:
    void fullTransfer_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("panel");   // at the first bar value
        QTest::newRow("read") << false << "[读频操作] 读取数据成功!" << "读频| 读取数据: |disabled|close refused";
        QTest::newRow("write") << true << "[写频操作] 写入数据成功!" << "写频| 写入数据: |disabled|close refused";
    }

    // Afterwards the emulator's image and ours are identical over offsets 4..451.
    void fullTransfer()
    {
        QFETCH(bool, write);
        QFETCH(QString, message);
        QFETCH(QString, panel);
        Link link;
        const QByteArray pages = MainWindowProbe::pages(link.w);
        QVERIFY(pages != link.radio.mid(kHeaderSize));
        QCOMPARE(link.run(write), message);

        QCOMPARE(link.seen, panel);
        QCOMPARE(link.values, kFullProgress);
        const QByteArray image = MainWindowProbe::bytes(link.w);
        QCOMPARE(image.left(kHeaderSize), QByteArray::fromHex("056B0207"));   // the handshake data
        link.sim.stop();
        const QByteArray theirs = link.scratch.readFile("saved.dat").mid(kHeaderSize);
        QCOMPARE(image.mid(kHeaderSize), theirs);
        QCOMPARE(theirs, write ? pages : link.radio.mid(kHeaderSize));
        QCOMPARE(link.sim.frames(), Requests(1, AllBlocks(), write ? image : QByteArray()) << kEndReq);
        if (!write)   // pages refreshed: the radio's version shown
            QCOMPARE(link.version(), QString("V2.07"));
        QVERIFY(link.w.isEnabled() && !MainWindowProbe::busy(link.w));
    }
};

QTEST_MAIN(TestLinkTransfer)
#include "tst_link_transfer.moc"
