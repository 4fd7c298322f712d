// Link frames: request bytes, the confirm check, progress values, and one
// exchange of each kind through the emulated radio.
#include "link/frames.h"
#include "link/serial.h"
#include "link/transfer.h"

#include "linkharness.h"

#include <QtTest>

#include <cstring>

namespace {

QByteArray Bytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

uint16_t AddrOf(uint8_t first, uint8_t second)
{
    const uint8_t b[2] = {first, second};
    uint16_t a;
    std::memcpy(&a, b, 2);
    return a;
}

const char kBlockData[] = "D0D1D2D3D4D5D6D7D8D9DADBDCDDDEDF";

QByteArray Confirm(const char *cmd, int len, const QByteArray &data, const char *tail = "FD")
{
    return Bytes("FEA5") + Bytes(cmd) + Bytes("056B") + QByteArray(1, static_cast<char>(len)) + data + Bytes(tail);
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
    void progressValues();
    void exchangesThroughTheRadio();
};

void TestLinkFrames::requestFrame_data()
{
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QByteArray>("addr");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("frame");

    QTest::newRow("connect carries the model word low byte first")
        << 0xE0 << Bytes("056B") << QByteArray() << "FEA5E0056B00FDFD";
    QTest::newRow("read block 0x0080, address high byte first")
        << 0xE2 << Bytes("0080") << QByteArray() << "FEA5E2008000FDFD";
    QTest::newRow("write block 0x0230 with 16 data bytes, 24 bytes in all")
        << 0xE4 << Bytes("0230") << Bytes(kBlockData) << QString("FEA5E4023010%1FDFD").arg(kBlockData);
    QTest::newRow("end") << 0xE6 << Bytes("056B") << QByteArray() << "FEA5E6056B00FDFD";
}

void TestLinkFrames::requestFrame()
{
    QFETCH(int, cmd);
    QFETCH(QByteArray, addr);
    QFETCH(QByteArray, data);
    QFETCH(QString, frame);

    PcCpComPar_S par{};
    par.ReqCmd = static_cast<uint8_t>(cmd);
    par.ReqLen = static_cast<uint8_t>(data.size());
    par.pReqData = reinterpret_cast<uint8_t *>(data.data());
    par.Addr = AddrOf(static_cast<uint8_t>(addr[0]), static_cast<uint8_t>(addr[1]));
    QCOMPARE(PC_CP_Communication_ReqText(par), frame);
}

void TestLinkFrames::confirmCheck_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("cnfCmd");
    QTest::addColumn<int>("cnfLen");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("kept");   // bytes at pCnfData afterwards

    const QByteArray data = Bytes(kBlockData);
    const QByteArray untouched(16, '\xCC');
    const QByteArray block = Confirm("E3", 16, data);
    auto hex = [](const QByteArray &b) { return QString::fromLatin1(b.toHex().toUpper()); };

    QTest::newRow("block confirm: its 16 bytes are kept") << hex(block) << 0xE3 << 16 << true << true << data;
    QTest::newRow("connect confirm: 4 bytes of header data")
        << hex(Confirm("E1", 4, Bytes("056B0105"))) << 0xE1 << 4 << true << true
        << Bytes("056B0105") + untouched.left(12);
    QTest::newRow("lower-case hex is read alike") << hex(block).toLower() << 0xE3 << 16 << true << true << data;
    QTest::newRow("stray byte between FE and A5 is skipped")
        << hex(Bytes("FE00") + block.mid(1)) << 0xE3 << 16 << true << true << data;
    QTest::newRow("A5 at byte 4 is still found")
        << hex(Bytes("FE000000") + block.mid(1)) << 0xE3 << 16 << true << true << data;
    QTest::newRow("garbage after FD is ignored") << hex(block + Bytes("1234")) << 0xE3 << 16 << true << true << data;
    QTest::newRow("write confirm without data, nothing kept")
        << hex(Confirm("E5", 0, {})) << 0xE5 << 0 << false << true << untouched;
    QTest::newRow("L is not compared where nothing is kept")
        << hex(Confirm("E7", 2, Bytes("0102"))) << 0xE7 << 0 << false << true << untouched;
    QTest::newRow("127 bytes (254 characters) are examined")
        << hex(block + QByteArray(127 - block.size(), '\x11')) << 0xE3 << 16 << true << true << data;

    QTest::newRow("noise before FE") << hex(Bytes("00") + block) << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("A5 at byte 5 is too far")
        << hex(Bytes("FE00000000") + block.mid(1)) << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("no A5 at all") << hex(Bytes("FE0000000000E3056B10") + data + Bytes("FD")) << 0xE3 << 16 << true
                                  << false << untouched;
    QTest::newRow("wrong command E5 for E3") << hex(Confirm("E5", 16, data)) << 0xE3 << 16 << true << false
                                             << untouched;
    QTest::newRow("model bytes 6B 05") << hex(Bytes("FEA5E36B0510") + data + Bytes("FD")) << 0xE3 << 16 << true
                                       << false << untouched;
    QTest::newRow("last byte not FD") << hex(Confirm("E3", 16, data, "FE")) << 0xE3 << 16 << true << false
                                      << untouched;
    QTest::newRow("reply ends before its FD") << hex(block.left(block.size() - 1)) << 0xE3 << 16 << true << false
                                              << untouched;
    QTest::newRow("reply ends inside the data") << hex(block.left(10)) << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("reply ends before L") << hex(Bytes("FEA5E3056B")) << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("start bytes only") << "FEA5" << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("one byte") << "FE" << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("odd number of characters") << hex(block) + "F" << 0xE3 << 16 << true << false << untouched;
    QTest::newRow("L = 0 where 16 bytes are kept") << hex(Confirm("E3", 0, {})) << 0xE3 << 16 << true << false
                                                   << untouched;
    QTest::newRow("L = 15 where 16 bytes are kept") << hex(Confirm("E3", 15, data.left(15))) << 0xE3 << 16 << true
                                                    << false << untouched;
    QTest::newRow("L = 17 would overrun the block") << hex(Confirm("E3", 17, data + Bytes("EE"))) << 0xE3 << 16
                                                    << true << false << untouched;
    QTest::newRow("L = 255 in a short reply") << hex(Confirm("E3", 255, data)) << 0xE3 << 16 << true << false
                                              << untouched;
    QTest::newRow("128 bytes (256 characters) are too long")
        << hex(block + QByteArray(128 - block.size(), '\x11')) << 0xE3 << 16 << true << false << untouched;
}

void TestLinkFrames::confirmCheck()
{
    QFETCH(QString, reply);
    QFETCH(int, cnfCmd);
    QFETCH(int, cnfLen);
    QFETCH(bool, keep);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, kept);

    // 16 bytes of destination followed by 16 guard bytes.
    QByteArray dest(32, '\xCC');
    PcCpComPar_S par{};
    par.CnfCmd = static_cast<uint8_t>(cnfCmd);
    par.CnfLen = static_cast<uint8_t>(cnfLen);
    par.pCnfData = keep ? reinterpret_cast<uint8_t *>(dest.data()) : nullptr;

    QCOMPARE(PC_CP_Communication_CpCnfCheck(reply, &par), accepted);
    QCOMPARE(dest.left(16), kept);
    QCOMPARE(dest.mid(16), QByteArray(16, '\xCC'));
    QCOMPARE(int(par.CnfLen), cnfLen);
}

void TestLinkFrames::progressValues()
{
    QList<int> values;
    for (int blocks = 0; blocks <= kBlockCount; ++blocks)
        values << PcCpBlockProgress(blocks);
    values << 100;
    QCOMPARE(values, FullProgress());
}

// Each worked request goes out byte for byte and its confirm is accepted.
void TestLinkFrames::exchangesThroughTheRadio()
{
    QTemporaryDir dir;
    SimProcess sim({"--image", WriteFile(dir, "radio.dat", PatternImage(3)), "--version", "1.5"});
    QVERIFY(!sim.port().isEmpty());
    Read_Write_Port = sim.port();

    Serial serial(nullptr, SERIALLINE_NORMAL);
    QVERIFY(serial.SelfOpen());

    uint8_t header[4] = {};
    PcCpComPar_S connect{0xE0, 0, nullptr, 0xE1, 4, header, AddrOf(0x05, 0x6B), 1};
    QVERIFY(PC_CP_Communication_WReqRCnfData(&serial, &connect));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(header), 4), Bytes("056B0105"));

    uint8_t block[16] = {};
    PcCpComPar_S read{0xE2, 0, nullptr, 0xE3, 16, block, AddrOf(0x00, 0x80), 1};
    QVERIFY(PC_CP_Communication_WReqRCnfData(&serial, &read));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(block), 16), PatternImage(3).mid(4, 16));

    QByteArray data = Bytes(kBlockData);
    PcCpComPar_S write{0xE4, 16, reinterpret_cast<uint8_t *>(data.data()), 0xE5, 0, nullptr, AddrOf(0x02, 0x30), 1};
    QVERIFY(PC_CP_Communication_WReqRCnfData(&serial, &write));

    PcCpComPar_S end{0xE6, 0, nullptr, 0xE7, 0, nullptr, AddrOf(0x05, 0x6B), 1};
    QVERIFY(PC_CP_Communication_WReqRCnfData(&serial, &end));

    QCOMPARE(sim.requests(), QStringList({"FEA5E0056B00FDFD", "FEA5E2008000FDFD",
                                          QString("FEA5E4023010%1FDFD").arg(kBlockData), "FEA5E6056B00FDFD"}));
    QCOMPARE(sim.frames("tx").value(1).size(), 46);   // 23-byte block confirm
}

QTEST_MAIN(TestLinkFrames)
#include "tst_link_frames.moc"
