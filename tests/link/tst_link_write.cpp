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
    scratch.writeFile("datafile/sysset.ini", LinkSettings("Chinese"));
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved.dat");
    SimProcess sim({"--image", WriteFile(dir, "radio.dat", PatternImage(29)), "--save", saved, "--version", "3.1"});
    QVERIFY(!sim.port().isEmpty());

    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    PanelWatcher panel(&w);
    ModalCloser closer;
    MainWindowProbe::write(w);

    QCOMPARE(closer.titles, QStringList{"[写频操作]"});
    QCOMPARE(closer.texts, QStringList{"写入数据成功!"});

    // What went out is the image rebuilt from the pages; the header now holds
    // the radio's handshake data.
    const RadioData_S sent = MainWindowProbe::image(w);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.bytes()), 4), QByteArray::fromHex("056B0301"));
    MainWindowProbe::getRadioData(w);
    QCOMPARE(Window(MainWindowProbe::image(w)), Window(sent));

    sim.stop();
    const QByteArray radio = ReadFile(saved);
    QCOMPARE(radio.size(), kImageSize);
    QCOMPARE(Window(radio), Window(sent));

    QCOMPARE(panel.title, QString("写频"));
    QCOMPARE(panel.values, FullProgress());
    QCOMPARE(panel.labelTexts.value(0), QString(" 写入数据: "));
    QVERIFY(!panel.windowEnabledDuringOp);

    QStringList expected{ConnectFrame()};
    for (int k = 0; k < kBlockCount; ++k)
        expected << WriteFrame(k, sent);
    expected << EndFrame();
    QCOMPARE(sim.requests(), expected);
}

void TestLinkWrite::writeToAnotherModelIsRefused()
{
    ScratchDir scratch;
    scratch.writeFile("datafile/sysset.ini", LinkSettings("Chinese"));
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved.dat");
    const QByteArray radio = PatternImage(5);
    SimProcess sim({"--image", WriteFile(dir, "radio.dat", radio), "--save", saved, "--model", "0x1234"});
    QVERIFY(!sim.port().isEmpty());

    MainWindow w;
    w.show();
    Read_Write_Port = sim.port();
    ModalCloser closer;
    MainWindowProbe::write(w);

    QCOMPARE(closer.titles, QStringList{"[写频操作]"});
    QCOMPARE(closer.texts, QStringList{"写入数据失败,机型错误!"});
    // Only the handshake went out: no block, no end command.
    QCOMPARE(sim.requests(), QStringList{ConnectFrame()});
    sim.stop();
    QCOMPARE(Window(ReadFile(saved)), Window(radio));
}

QTEST_MAIN(TestLinkWrite)
#include "tst_link_write.moc"
