// A complete read from the emulated radio through the main window.
#include "linkharness.h"
#include "modalcloser.h"

#include <QtTest>
#include <QTreeWidget>

class TestLinkRead : public QObject
{
    Q_OBJECT

private slots:
    void readFillsTheImageAndRefreshesThePages();
};

void TestLinkRead::readFillsTheImageAndRefreshesThePages()
{
    ScratchDir scratch;
    scratch.writeFile("datafile/sysset.ini", LinkSettings("Chinese"));
    QTemporaryDir dir;
    const QByteArray radio = PatternImage(11);
    SimProcess sim({"--image", WriteFile(dir, "radio.dat", radio), "--version", "2.7"});
    QVERIFY(!sim.port().isEmpty());

    MainWindow w;
    w.resize(900, 600);
    w.show();
    Read_Write_Port = sim.port();
    MainWindowProbe::stack(w)->setCurrentIndex(2);
    const QString versionBefore = MainWindowProbe::versionText(w);
    QVERIFY(versionBefore != "V2.07");

    PanelWatcher panel(&w);
    ModalCloser closer;
    MainWindowProbe::read(w);

    QCOMPARE(closer.titles, QStringList{"[读频操作]"});
    QCOMPARE(closer.texts, QStringList{"读取数据成功!"});

    // Every byte of the window, and the radio's handshake data as header.
    const RadioData_S &image = MainWindowProbe::image(w);
    QCOMPARE(Window(image), Window(radio));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(image.bytes()), 4), QByteArray::fromHex("056B0207"));

    // Pages refreshed: version shown, first page selected.
    QCOMPARE(MainWindowProbe::versionText(w), QString("V2.07"));
    QCOMPARE(MainWindowProbe::stack(w)->currentIndex(), 0);

    // The panel: centred, labelled, advancing 5 .. 96, 100 while the window was held.
    QCOMPARE(panel.panels, 1);
    QCOMPARE(panel.title, QString("读频"));
    QCOMPARE(panel.geometry.size(), QSize(649, 64));
    QCOMPARE(panel.geometry.topLeft(), QPoint((w.width() - 649) / 2, (w.height() - 64) / 2));
    QCOMPARE(panel.labelWhenShown, QString("查找设备中:"));
    QCOMPARE(panel.values, FullProgress());
    QCOMPARE(panel.labelTexts.value(0), QString(" 读取数据: "));
    QVERIFY(!panel.windowEnabledDuringOp);
    QVERIFY(panel.busyDuringOp);
    QVERIFY(panel.closeRefusedDuringOp);
    QVERIFY(w.isEnabled());
    QVERIFY(!MainWindowProbe::busy(w));
    QVERIFY(w.findChildren<COMPROCESS_Form *>().isEmpty());
    QVERIFY(w.isVisible());

    // On the wire: connect, the 28 blocks in address order, end.
    QStringList expected{ConnectFrame()};
    for (int k = 0; k < kBlockCount; ++k)
        expected << ReadFrame(k);
    expected << EndFrame();
    QCOMPARE(sim.requests(), expected);
}

QTEST_MAIN(TestLinkRead)
#include "tst_link_read.moc"
