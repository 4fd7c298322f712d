// The confirm check, and the serial transport against the emulated radio.
#include "link/frames.h"
#include "link/serial.h"

#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>

namespace {

const QString kConnectCnf = QStringLiteral("FEA5E1056B04056B0105FD");

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

} // namespace

class TestLinkSerial : public QObject
{
    Q_OBJECT

private slots:
    void confirmCheck_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("cnfLen");
        QTest::addColumn<QByteArray>("kept");
        for (const QStringList &f : GoldenRows("link-confirms.txt"))
            QTest::newRow(qPrintable(f[0])) << f.value(1) << f.value(2).toInt() << QByteArray::fromHex(f.value(3).toLatin1());
    }

    // The check expects a block read confirm (E3).
    void confirmCheck()
    {
        QFETCH(int, cnfLen);
        QFETCH(QByteArray, kept);
        QByteArray dest(32, '\xCC');   // 16 bytes of destination, 16 guard bytes
        PcCpComPar_S par{};
        par.CnfCmd = LinkCmd::ReadCnf;
        par.CnfLen = uint8_t(qMax(cnfLen, 0));
        par.pCnfData = cnfLen < 0 ? nullptr : reinterpret_cast<uint8_t *>(dest.data());
        QFETCH(QString, reply);
        QCOMPARE(PC_CP_Communication_CpCnfCheck(reply, &par), !kept.isEmpty() || cnfLen < 0);
        QCOMPARE(dest, kept + QByteArray(32 - kept.size(), '\xCC'));
    }

    void exchange_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("tries");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QStringList>("replies");
        for (const QStringList &f : GoldenRows("link-exchanges.txt"))
            QTest::newRow(qPrintable(f[0])) << f.value(1).split(' ', Qt::SkipEmptyParts) << f.value(2) << f.value(3).toInt()
                                            << f.value(4) << f.value(5) << f.value(6).split(' ', Qt::SkipEmptyParts);
    }

    // Each try sends the request once; accepted when the confirm was among the replies.
    void exchange()
    {
        QFETCH(QStringList, options);
        QFETCH(int, tries);
        QFETCH(QString, line);
        QFETCH(QString, link);
        QFETCH(QStringList, replies);
        QFETCH(QString, port);
        SimProcess sim(options);   // its port is a link, as under /dev/serial/by-id
        Read_Write_Port = port == "link" ? sim.port : QFileInfo(sim.port).symLinkTarget();
        Serial serial(nullptr, line == "echo" ? SERIALLINE_ECHO : SERIALLINE_NORMAL);
        QStringList seen;
        serial.setFastLink(link == "fast");
        SerialWirteReadData_S ex{&kConnectReq, &seen, Record, uint8_t(tries), ConnectComplete};
        QVERIFY(serial.SelfOpen());
        QCOMPARE(serial.SelfWriteReadData(&ex), replies.contains(kConnectCnf));
        QCOMPARE(seen, replies);
        QCOMPARE(serial.fastLink(), link == "fast" && replies == QStringList{kConnectCnf});
        QTRY_COMPARE(sim.frames(), Requests(tries, {}));
    }
};

QTEST_MAIN(TestLinkSerial)
#include "tst_link_serial.moc"
