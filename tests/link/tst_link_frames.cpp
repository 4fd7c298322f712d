// Link frames: request bytes and the confirm check.
#include "link/frames.h"

#include "linkharness.h"

#include <QtTest>

#include <cstring>

namespace {

QByteArray Hex(const char *hex) { return QByteArray::fromHex(hex); }

const QByteArray kData = Hex("D0D1D2D3D4D5D6D7D8D9DADBDCDDDEDF");

QByteArray Confirm(const char *cmd, int len, const QByteArray &data, const char *tail = "FD")
{
    return Hex("FEA5") + Hex(cmd) + Hex("056B") + char(len) + data + Hex(tail);
}

} // namespace

class TestLinkFrames : public QObject
{
    Q_OBJECT

private slots:
    void requestFrame_data();
    void requestFrame();
    void confirmCheck_data();
    void confirmCheck();
};

void TestLinkFrames::requestFrame_data()
{
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QByteArray>("addr");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("frame");
    QTest::newRow("connect: model word low byte first") << 0xE0 << Hex("056B") << QByteArray() << "FEA5E0056B00FDFD";
    QTest::newRow("read 0x0080: address high byte first") << 0xE2 << Hex("0080") << QByteArray() << "FEA5E2008000FDFD";
    QTest::newRow("write 0x0230: 16 data bytes, 24 in all")
        << 0xE4 << Hex("0230") << kData << QString("FEA5E4023010" + kData.toHex().toUpper() + "FDFD");
    QTest::newRow("end") << 0xE6 << Hex("056B") << QByteArray() << "FEA5E6056B00FDFD";
}

void TestLinkFrames::requestFrame()
{
    QFETCH(int, cmd);
    QFETCH(QByteArray, addr);
    QFETCH(QByteArray, data);
    QFETCH(QString, frame);
    PcCpComPar_S par{};
    par.ReqCmd = uint8_t(cmd);
    par.ReqLen = uint8_t(data.size());
    par.pReqData = reinterpret_cast<uint8_t *>(data.data());
    std::memcpy(&par.Addr, addr.constData(), 2);
    QCOMPARE(PC_CP_Communication_ReqText(par), frame);
}

void TestLinkFrames::confirmCheck_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("cnfCmd");
    QTest::addColumn<int>("cnfLen");      // -1: the data is not kept
    QTest::addColumn<QByteArray>("kept"); // bytes at pCnfData afterwards; empty: rejected, untouched

    const QByteArray block = Confirm("E3", 16, kData);
    auto row = [](const char *name, const QByteArray &reply, int cmd, int len, const QByteArray &kept) {
        QTest::newRow(name) << QString(reply.toHex().toUpper()) << cmd << len << kept;
    };
    auto bad = [&](const char *name, const QByteArray &reply) { row(name, reply, 0xE3, 16, QByteArray()); };

    row("block confirm: 16 bytes kept", block, 0xE3, 16, kData);
    row("connect confirm: 4 bytes kept", Confirm("E1", 4, Hex("056B0105")), 0xE1, 4, Hex("056B0105"));
    row("stray byte between FE and A5 is skipped", Hex("FE00") + block.mid(1), 0xE3, 16, kData);
    row("A5 at byte 4 is still found", Hex("FE000000") + block.mid(1), 0xE3, 16, kData);
    row("garbage after FD is ignored", block + Hex("1234"), 0xE3, 16, kData);
    row("write confirm, nothing kept", Confirm("E5", 0, {}), 0xE5, -1, QByteArray());
    row("L not compared where nothing is kept", Confirm("E7", 2, Hex("0102")), 0xE7, -1, QByteArray());
    row("127 bytes (254 characters) are examined", block + QByteArray(127 - block.size(), 0x11), 0xE3, 16, kData);

    bad("noise before FE", Hex("00") + block);
    bad("A5 at byte 5 is too far", Hex("FE00000000") + block.mid(1));
    bad("no A5", Hex("FE0000000000E3056B10") + kData + Hex("FD"));
    bad("wrong command E5 for E3", Confirm("E5", 16, kData));
    bad("model bytes 6B 05", Hex("FEA5E36B0510") + kData + Hex("FD"));
    bad("last byte not FD", Confirm("E3", 16, kData, "FE"));
    bad("reply ends before its FD", block.left(block.size() - 1));
    bad("reply ends inside the data", block.left(10));
    bad("reply ends before L", Hex("FEA5E3056B"));
    bad("start bytes only", Hex("FEA5"));
    bad("L = 0 where 16 bytes are kept", Confirm("E3", 0, {}));
    bad("L = 15 where 16 bytes are kept", Confirm("E3", 15, kData.left(15)));
    bad("L = 17 would overrun the block", Confirm("E3", 17, kData + Hex("EE")));
    bad("L = 255 in a short reply", Confirm("E3", 255, kData));
    bad("128 bytes (256 characters) are too long", block + QByteArray(128 - block.size(), 0x11));
    QTest::newRow("odd number of characters") << QString(block.toHex()) + "F" << 0xE3 << 16 << QByteArray();
}

void TestLinkFrames::confirmCheck()
{
    QFETCH(QString, reply);
    QFETCH(int, cnfCmd);
    QFETCH(int, cnfLen);
    QFETCH(QByteArray, kept);
    const bool accepted = !kept.isEmpty() || cnfLen < 0;

    QByteArray dest(32, '\xCC');   // 16 bytes of destination, 16 guard bytes
    PcCpComPar_S par{};
    par.CnfCmd = uint8_t(cnfCmd);
    par.CnfLen = uint8_t(qMax(cnfLen, 0));
    par.pCnfData = cnfLen < 0 ? nullptr : reinterpret_cast<uint8_t *>(dest.data());

    QCOMPARE(PC_CP_Communication_CpCnfCheck(reply, &par), accepted);
    QCOMPARE(dest, kept + QByteArray(32 - kept.size(), '\xCC'));
}

QTEST_MAIN(TestLinkFrames)
#include "tst_link_frames.moc"
