// A radio that never answers: the connect uses its five tries, then the read
// fails without touching the pages.
#include "linkharness.h"
#include "modalcloser.h"

#include <QtTest>

class TestLinkSilent : public QObject
{
    Q_OBJECT

private slots:
    void silentRadio();
};

void TestLinkSilent::silentRadio()
{
    ScratchDir scratch;
    scratch.writeFile("datafile/sysset.ini", LinkSettings("Chinese"));
    SimProcess sim({"--silent"});
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    const RadioData_S before = MainWindowProbe::image(w);
    const QString version = MainWindowProbe::versionText(w);
    PanelWatcher panel(&w);

    ModalCloser closer;
    MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{"[读频操作]"});
    QCOMPARE(closer.texts, QStringList{"读取数据失败,请检查连接线路!"});
    QCOMPARE(sim.requests(), Repeat(ConnectFrame(), 5));
    QVERIFY(panel.values.isEmpty());   // the bar never left 0
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(MainWindowProbe::image(w).bytes()), kImageSize),
             QByteArray(reinterpret_cast<const char *>(before.bytes()), kImageSize));
    QCOMPARE(MainWindowProbe::versionText(w), version);
}

QTEST_MAIN(TestLinkSilent)
#include "tst_link_silent.moc"
