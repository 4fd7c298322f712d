// The confirm check, and the serial transport against the emulated radio.
#include "link/frames.h"
#include "link/serial.h"

#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>

namespace {

const QByteArray kData = QByteArray::fromHex("D0D1D2D3D4D5D6D7D8D9DADBDCDDDEDF");
const QString kConnectCnf = QStringLiteral("FEA5E1056B04056B0105FD");

QByteArray Confirm(int len, const QByteArray &data, const char *cmd = "E3", const char *tail = "FD")
{
    return QByteArray::fromHex(QByteArray("FEA5") + cmd + "056B") + char(len) + data + QByteArray::fromHex(tail);
}

// Records every reply handed to the check; accepts the connect confirm.
bool Record(const QString &reply, void *replies)
{
    *static_cast<QStringList *>(replies) << reply;
    return reply == kConnectCnf;
}

// Whether the bytes so far hold a complete connect confirm.
bool ConnectComplete(const QString &reply, void *)
{
    PcCpComPar_S par{};
    par.CnfCmd = LinkCmd::ConnectCnf;
    par.CnfLen = 4;
    return PC_CP_Communication_CpCnfComplete(reply, &par);
}

// One connect exchange on a fresh Serial: the emulator's options, the port
// opened by a symbolic link, the tries, the line type, the replies handed to
// the check, whether the link is fast.
struct Exchange {
    QStringList options;
    bool viaLink;
    int tries;
    bool echoLine;
    QStringList replies;
    bool fast = false;
};

} // namespace

Q_DECLARE_METATYPE(Exchange)

class TestLinkSerial : public QObject
{
    Q_OBJECT

private slots:
    void confirmCheck_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("cnfLen");      // -1: the data is not kept
        QTest::addColumn<QByteArray>("kept"); // bytes at pCnfData afterwards; empty: rejected, untouched

        const QByteArray block = Confirm(16, kData);
        auto row = [](const char *name, const QByteArray &reply, int len, const QByteArray &kept) {
            QTest::newRow(name) << reply << len << kept;
        };
        auto bad = [&](const char *name, const QByteArray &reply) { row(name, reply, 16, QByteArray()); };

        row("block confirm: 16 bytes kept", block, 16, kData);
        row("stray byte between FE and A5 is skipped", QByteArray::fromHex("FE00") + block.mid(1), 16, kData);
        row("A5 at byte 4 is still found", QByteArray::fromHex("FE000000") + block.mid(1), 16, kData);
        row("garbage after FD is ignored", block + "\x12\x34", 16, kData);
        row("L not compared where nothing is kept", Confirm(2, "\x01\x02"), -1, QByteArray());
        row("127 bytes (254 characters) are examined", block + QByteArray(127 - block.size(), 0x11), 16, kData);

        bad("noise before FE", '\x00' + block);
        bad("A5 at byte 5 is too far", QByteArray::fromHex("FE00000000") + block.mid(1));
        bad("wrong command E5 for E3", Confirm(16, kData, "E5"));
        bad("model bytes 6B 05", QByteArray::fromHex("FEA5E36B0510") + kData + "\xFD");
        bad("last byte not FD", Confirm(16, kData, "E3", "FE"));
        bad("reply ends before its FD", block.left(block.size() - 1));
        bad("reply ends before L", block.left(5));
        bad("L = 0 where 16 bytes are kept", Confirm(0, {}));
        bad("L = 15 where 16 bytes are kept", Confirm(15, kData.left(15)));
        bad("L = 17 would overrun the block", Confirm(17, kData + "\xEE"));
        bad("L = 255 in a short reply", Confirm(255, kData));
        bad("128 bytes (256 characters) are too long", block + QByteArray(128 - block.size(), 0x11));
    }

    // The check expects a block read confirm (E3).
    void confirmCheck()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, cnfLen);
        QFETCH(QByteArray, kept);
        QByteArray dest(32, '\xCC');   // 16 bytes of destination, 16 guard bytes
        PcCpComPar_S par{};
        par.CnfCmd = LinkCmd::ReadCnf;
        par.CnfLen = uint8_t(qMax(cnfLen, 0));
        par.pCnfData = cnfLen < 0 ? nullptr : reinterpret_cast<uint8_t *>(dest.data());
        QCOMPARE(PC_CP_Communication_CpCnfCheck(reply.toHex().toUpper(), &par), !kept.isEmpty() || cnfLen < 0);
        QCOMPARE(dest, kept + QByteArray(32 - kept.size(), '\xCC'));
    }

    void exchange_data()
    {
        QTest::addColumn<Exchange>("x");
        QTest::newRow("device path") << Exchange{{}, false, 1, false, {kConnectCnf}};
        QTest::newRow("symbolic link to the device, as /dev/serial/by-id")
            << Exchange{{}, true, 1, false, {kConnectCnf}};
        QTest::newRow("no tries: nothing sent") << Exchange{{}, false, 0, false, {}};
        QTest::newRow("garbled reply (XOR 5A) retried on the reopened port")
            << Exchange{{"--garble", "1"}, false, 2, false, {"A4FFBB5F315E5F315B5FA7", kConnectCnf}};
        QTest::newRow("bursts 250 ms apart: the check sees the first alone")
            << Exchange{{"--split", "5", "--split-gap", "250"}, false, 1, false, {"FEA5E1056B"}};
        QTest::newRow("echo cut on an echo line") << Exchange{{"--echo"}, false, 1, true, {kConnectCnf}};
        QTest::newRow("first byte after 600 ms is awaited")
            << Exchange{{"--delay", "600"}, false, 1, false, {kConnectCnf}};
        QTest::newRow("first byte after 1300 ms is too late") << Exchange{{"--delay", "1300"}, false, 1, false, {}};
        const QStringList byteAfter{"--stray", "1:50"};
        QTest::newRow("a byte 50 ms after the confirm is part of the reply")
            << Exchange{byteAfter, false, 1, false, {kConnectCnf + "00"}};
        QTest::newRow("fast link: the complete confirm ends the reply")
            << Exchange{byteAfter, false, 1, false, {kConnectCnf}, true};
        QTest::newRow("fast link on an echo line: the echo is cut before the confirm is sought")
            << Exchange{byteAfter + QStringList{"--echo"}, false, 1, true, {kConnectCnf}, true};
        QTest::newRow("fast link: a failed try brings back the gap for the rest of the transfer")
            << Exchange{{"--garble", "1"}, false, 2, false, {"A4FFBB5F315E5F315B5FA7", kConnectCnf}, true};
    }

    // Each try sends the request once; accepted when the confirm was among the replies.
    void exchange()
    {
        QFETCH(Exchange, x);
        SimProcess sim(x.options);   // its port is a link, as under /dev/serial/by-id
        Read_Write_Port = x.viaLink ? sim.port : QFileInfo(sim.port).symLinkTarget();
        Serial serial(nullptr, x.echoLine ? SERIALLINE_ECHO : SERIALLINE_NORMAL);
        QStringList seen;
        serial.setFastLink(x.fast);
        SerialWirteReadData_S ex{&kConnectReq, &seen, Record, uint8_t(x.tries), ConnectComplete};
        QVERIFY(serial.SelfOpen());
        QCOMPARE(serial.SelfWriteReadData(&ex), x.replies.contains(kConnectCnf));
        QCOMPARE(seen, x.replies);
        QCOMPARE(serial.fastLink(), x.fast && x.replies == QStringList{kConnectCnf});
        QTRY_COMPARE(sim.frames(), Requests(x.tries, {}));
    }
};

QTEST_MAIN(TestLinkSerial)
#include "tst_link_serial.moc"
