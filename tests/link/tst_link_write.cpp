// A complete write to the emulated radio through the main window, and a
// write refused for the radio's model.
#include "linkharness.h"
#include "modalcloser.h"

#include <QtTest>

class TestLinkWrite : public QObject
{
    Q_OBJECT

private slots:
    void writeMovesEveryByte();
    void writeToAnotherModelIsRefused();
};

void TestLinkWrite::writeMovesEveryByte()
{
    ScratchDir scratch;
    UseLanguage(scratch, "Chinese");
    scratch.writeFile("radio.dat", PatternImage(29));
    SimProcess sim({"--image", scratch.file("radio.dat"), "--save", scratch.file("saved.dat"), "--version", "3.1"});

    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    PanelWatcher panel(&w);
    ModalCloser closer;
    MainWindowProbe::write(w);

    QCOMPARE(closer.titles, QStringList{"[写频操作]"});
    QCOMPARE(closer.texts, QStringList{"写入数据成功!"});
    // What went out is the image rebuilt from the pages; the header now
    // holds the radio's handshake data.
    const RadioData_S sent = MainWindowProbe::image(w);
    QCOMPARE(Bytes(sent, 0, 4), QByteArray::fromHex("056B0301"));
    MainWindowProbe::getRadioData(w);
    QCOMPARE(Window(MainWindowProbe::image(w)), Window(sent));
    sim.stop();
    QCOMPARE(Window(scratch.readFile("saved.dat")), Window(sent));

    QCOMPARE(panel.title, QString("写频"));
    QCOMPARE(panel.labelDuringOp, QString(" 写入数据: "));
    QCOMPARE(panel.values, FullProgress());
    QVERIFY(!panel.windowEnabledDuringOp);

    QStringList expected{ConnectFrame()};
    for (int k = 0; k < kBlockCount; ++k)
        expected << WriteFrame(k, sent);
    QCOMPARE(sim.frames(), expected << EndFrame());
}

void TestLinkWrite::writeToAnotherModelIsRefused()
{
    ScratchDir scratch;
    UseLanguage(scratch, "Chinese");
    scratch.writeFile("radio.dat", PatternImage(5));
    SimProcess sim({"--image", scratch.file("radio.dat"), "--save", scratch.file("saved.dat"), "--model", "0x1234"});

    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    ModalCloser closer;
    MainWindowProbe::write(w);

    QCOMPARE(closer.titles, QStringList{"[写频操作]"});
    QCOMPARE(closer.texts, QStringList{"写入数据失败,机型错误!"});
    QCOMPARE(sim.frames(), QStringList{ConnectFrame()});   // no block, no end command
    sim.stop();
    QCOMPARE(Window(scratch.readFile("saved.dat")), Window(PatternImage(5)));
}

QTEST_MAIN(TestLinkWrite)
#include "tst_link_write.moc"
