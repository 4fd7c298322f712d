// A complete read from the emulated radio through the main window.
#include "linkharness.h"
#include "modalcloser.h"

#include <QtTest>

class TestLinkRead : public QObject
{
    Q_OBJECT

private slots:
    void readFillsTheImageAndRefreshesThePages();
};

void TestLinkRead::readFillsTheImageAndRefreshesThePages()
{
    ScratchDir scratch;
    UseLanguage(scratch, "Chinese");
    const QByteArray radio = PatternImage(11);
    scratch.writeFile("radio.dat", radio);
    SimProcess sim({"--image", scratch.file("radio.dat"), "--version", "2.7"});

    MainWindow w;
    w.resize(900, 600);
    w.show();
    Read_Write_Port = sim.port();
    MainWindowProbe::stack(w)->setCurrentIndex(2);
    QVERIFY(MainWindowProbe::version(w) != "V2.07");
    PanelWatcher panel(&w);
    ModalCloser closer;
    MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{"[读频操作]"});
    QCOMPARE(closer.texts, QStringList{"读取数据成功!"});
    // Every window byte, and the handshake data as header.
    QCOMPARE(Window(MainWindowProbe::image(w)), Window(radio));
    QCOMPARE(Bytes(MainWindowProbe::image(w), 0, 4), QByteArray::fromHex("056B0207"));
    // Pages refreshed: the radio's version shown, first page selected.
    QCOMPARE(MainWindowProbe::version(w), QString("V2.07"));
    QCOMPARE(MainWindowProbe::stack(w)->currentIndex(), 0);

    // The panel: centred, labelled, advancing to 96 and 100 while the window was held.
    QCOMPARE(panel.title, QString("读频"));
    QCOMPARE(panel.geometry, QRect((w.width() - 649) / 2, (w.height() - 64) / 2, 649, 64));
    QCOMPARE(panel.labelWhenShown, QString("查找设备中:"));
    QCOMPARE(panel.labelDuringOp, QString(" 读取数据: "));
    QCOMPARE(panel.values, FullProgress());
    QVERIFY(!panel.windowEnabledDuringOp);
    QVERIFY(panel.busyDuringOp);
    QVERIFY(panel.closeRefusedDuringOp);
    QVERIFY(w.isEnabled() && w.isVisible() && !MainWindowProbe::busy(w));
    QVERIFY(w.findChildren<COMPROCESS_Form *>().isEmpty());

    QStringList expected{ConnectFrame()};
    for (int k = 0; k < kBlockCount; ++k)
        expected << ReadFrame(k);
    QCOMPARE(sim.frames(), expected << EndFrame());
}

QTEST_MAIN(TestLinkRead)
#include "tst_link_read.moc"
