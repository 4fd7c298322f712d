// A radio that never answers: the connect uses its five tries, then the read
// fails without touching the image or the pages.
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
    UseLanguage(scratch, "Chinese");
    SimProcess sim({"--silent"});
    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    const QByteArray before = Bytes(MainWindowProbe::image(w));
    const QString version = MainWindowProbe::version(w);
    PanelWatcher panel(&w);
    ModalCloser closer;
    MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{"[读频操作]"});
    QCOMPARE(closer.texts, QStringList{"读取数据失败,请检查连接线路!"});
    QCOMPARE(sim.frames(), Frames(5, ConnectFrame()));
    QVERIFY(panel.values.isEmpty());   // the bar never left 0
    QCOMPARE(Bytes(MainWindowProbe::image(w)), before);
    QCOMPARE(MainWindowProbe::version(w), version);
}

QTEST_MAIN(TestLinkSilent)
#include "tst_link_silent.moc"
