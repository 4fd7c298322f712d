// dump and diff of known images, and the window comparison of verify.
#include "cliops.h"

#include "channels/channelcodec.h"
#include "settings/settingscodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

// Two channels, settings, DTMF codes and two FM presets, stored by the codecs
// into an image filled with 0xFF, as the window saves it.
RadioData_S KnownImage()
{
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    image.Header = {0x05, 0x6B, 1, 5};
    ChannelFields_S a;
    a.RxFreq = a.TxFreq = 401250000;
    a.TxTone = a.RxTone = 9;   // 88.5
    ChannelFields_S b;
    b.RxFreq = 446006250;
    b.TxFreq = 410000000;
    b.TxTone = 157;            // D025I
    b.RxTone = 0;
    b.Bandwidth = b.Power = b.Scan = b.BusyLock = b.PttDial = 1;
    ChannelStoreTable(&image, {a, b});
    StoreSettingZeroBytes(&image);
    for (int s = 0; s < SettingCount; ++s)
        StoreSetting(&image, SettingId_E(s), 0);
    StoreSetting(&image, SetSqlLev, 3);
    StoreSetting(&image, SetTotLev, 2);
    StoreSetting(&image, SetScanWay, 1);
    StoreSetting(&image, SetDtmEncCon, 1);
    StoreDtmfCode(&image, DtmfPttId, QStringLiteral("123"));
    StoreDtmfCode(&image, DtmfMacId, QStringLiteral("0000"));
    StoreFmChannels(&image, {QStringLiteral("87.5"), QString(), QStringLiteral("108.0")});
    return image;
}

using Change = std::function<void(RadioData_S *)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestCliDumpDiff : public QObject
{
    Q_OBJECT

private slots:
    void dumpText_data();
    void dumpText();
    void dumpJson();
    void diff_data();
    void diff();
    void firstWindowDifference_data();
    void firstWindowDifference();
};

void TestCliDumpDiff::dumpText_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("version from the header") << "  version                   V1.05";
    QTest::newRow("channel count") << "  channel count             2";
    QTest::newRow("scan mask: channel 2 not scanned") << "  channel scan mask         0x00000002";
    QTest::newRow("channel 1: simplex, CTCSS both, wide, high")
            << "  01  401.250000  401.250000  25k    high   yes   88.5     88.5     no         off";
    QTest::newRow("channel 2: split, DCS inverted out, narrow, low, all flags")
            << "  02  446.006250  410.000000  12.5k  low    no    D025I    none     yes        on";
    QTest::newRow("squelch level") << "  squelch level             3";
    QTest::newRow("scan mode in English") << "  scan mode                 time";
    QTest::newRow("time-out text") << "  TX time-out               60S";
    QTest::newRow("hidden man-down alarm is listed") << "  man-down alarm            off";
    QTest::newRow("PTT ID code") << "  PTT ID code               123";
    QTest::newRow("ID code of zeros") << "  ID code                   0000";
    QTest::newRow("empty stun code") << "  stun code                 (empty)";
    QTest::newRow("send condition") << "  PTT ID sent               at TX end";
    QTest::newRow("FM mask of channels 1 and 3") << "  FM channel mask           0x0005";
    QTest::newRow("FM start channel") << "  FM start channel          01";
    QTest::newRow("FM preset") << "  channel 03                108.0";
    QTest::newRow("FM empty preset") << "  channel 02                (empty)";
}

void TestCliDumpDiff::dumpText()
{
    QFETCH(QString, line);
    const QStringList lines = DumpText(KnownImage()).split('\n');
    QVERIFY2(lines.contains(line), qPrintable(lines.join('\n')));
}

void TestCliDumpDiff::dumpJson()
{
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(DumpJson(KnownImage()), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(root.value("version").toString(), QString("V1.05"));

    const QJsonObject channels = root.value("channels").toObject();
    QCOMPARE(channels.value("count").toInt(), 2);
    QCOMPARE(channels.value("scanMask").toString(), QString("0x00000002"));
    const QJsonArray list = channels.value("list").toArray();
    QCOMPARE(list.size(), 2);
    const QJsonObject ch2 = list.at(1).toObject();
    QCOMPARE(ch2.value("channel").toInt(), 2);
    QCOMPARE(ch2.value("rxFreq").toString(), QString("446.006250"));
    QCOMPARE(ch2.value("txFreq").toString(), QString("410.000000"));
    QCOMPARE(ch2.value("bandwidth").toString(), QString("12.5k"));
    QCOMPARE(ch2.value("power").toString(), QString("low"));
    QCOMPARE(ch2.value("scan").toBool(true), false);
    QCOMPARE(ch2.value("txTone").toString(), QString("D025I"));
    QCOMPARE(ch2.value("rxTone").toString(), QString("none"));
    QCOMPARE(ch2.value("busyLock").toBool(false), true);
    QCOMPARE(ch2.value("pttDial").toBool(false), true);
    QCOMPARE(list.at(0).toObject().value("scan").toBool(false), true);

    const QJsonArray settings = root.value("settings").toArray();
    QCOMPARE(settings.size(), 9);
    const QJsonObject tot = settings.at(7).toObject();
    QCOMPARE(tot.value("key").toString(), QString("TotLev"));
    QCOMPARE(tot.value("code").toInt(), 2);
    QCOMPARE(tot.value("value").toString(), QString("60S"));

    const QJsonObject dtmf = root.value("dtmf").toObject();
    QCOMPARE(dtmf.value("codes").toArray().at(0).toObject().value("code").toString(), QString("123"));
    QCOMPARE(dtmf.value("codes").toArray().at(2).toObject().value("code").toString(), QString());
    QCOMPARE(dtmf.value("options").toArray().at(0).toObject().value("value").toString(), QString("at TX end"));

    const QJsonObject fm = root.value("fm").toObject();
    QCOMPARE(fm.value("mask").toString(), QString("0x0005"));
    QCOMPARE(fm.value("startChannel").toInt(), 1);
    const QJsonArray presets = fm.value("channels").toArray();
    QCOMPARE(presets.size(), 16);
    QCOMPARE(presets.at(0).toObject().value("frequency").toString(), QString("87.5"));
    QVERIFY(presets.at(1).toObject().value("frequency").isNull());
}

void TestCliDumpDiff::diff_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("equal images: no line") << Change([](RadioData_S *) {}) << QStringList();
    QTest::newRow("receive frequency by channel")
            << Change([](RadioData_S *i) { i->at(ImageOffset::Channels + 3) = 0xE2; })   // 17 EA 96 D0 + 0x12
            << QStringList{"channel 01 receive frequency: 401.250000 -> 401.250018"};
    QTest::newRow("version")
            << Change([](RadioData_S *i) { i->Header.VerMajor = 2; }) << QStringList{"version: V1.05 -> V2.05"};
    QTest::newRow("setting by name and item text")
            << Change([](RadioData_S *i) { StoreSetting(i, SetPowSav, 3); })
            << QStringList{"battery save: off -> 1:3"};
    QTest::newRow("a code outside its list shows the first item")
            << Change([](RadioData_S *i) { i->at(ImageOffset::SqlLev) = 0x0A; })
            << QStringList{"squelch level: 3 -> 0"};
    QTest::newRow("same text, other byte: raw address with its owner")
            << Change([](RadioData_S *i) { i->at(ImageOffset::VoxLev) = 0xFF; })
            << QStringList{"0x008B VOX level: 00 -> FF"};
    QTest::newRow("byte of no page")
            << Change([](RadioData_S *i) { i->at(0x20) = 0x00; })
            << QStringList{"0x009C not used by any page: FF -> 00"};
    QTest::newRow("unread record byte")
            << Change([](RadioData_S *i) { i->at(ImageOffset::Channels + 12) = 0x00; })
            << QStringList{"0x00EC channel 01 record byte 12: FF -> 00"};
    QTest::newRow("flag bit no column shows")
            << Change([](RadioData_S *i) { i->at(ImageOffset::Channels + 10) |= 0x01; })
            << QStringList{"0x00EA channel 01 record byte 10: 00 -> 01"};
    QTest::newRow("DTMF code and the digit after it")
            << Change([](RadioData_S *i) { StoreDtmfCode(i, DtmfPttId, QStringLiteral("1234")); })
            << QStringList{"PTT ID code: 123 -> 1234"};
    QTest::newRow("byte after a DTMF code's end")
            << Change([](RadioData_S *i) { i->at(ImageOffset::PttId + 4) = 0x07; })
            << QStringList{"0x0094 PTT ID code digit 5: FF -> 07"};
    QTest::newRow("scan bit: mask and channel")
            << Change([](RadioData_S *i) { i->at(ImageOffset::ChanScanMask + 3) = 0x03; })
            << QStringList{"channel scan mask: 0x00000002 -> 0x00000003", "channel 01 scan: yes -> no"};
    QTest::newRow("FM preset added, mask kept")
            << Change([](RadioData_S *i) { i->at(0x46) = 0x03; i->at(0x47) = 0xBB; })
            << QStringList{"FM channel 02 frequency: (empty) -> 95.5"};
    QTest::newRow("empty FM word changed: raw")
            << Change([](RadioData_S *i) { i->at(0x48 + 8) = 0x00; })
            << QStringList{"0x00CC FM channel 07 word: FF -> 00"};
    QTest::newRow("channel only in B: its fields against -")
            << Change([](RadioData_S *i) { ChanCountWrite(i, 3); })
            << QStringList{"channel count: 2 -> 3",
                           "channel 03 receive frequency: - -> -0.000001",
                           "channel 03 transmit frequency: - -> -0.000001",
                           "channel 03 bandwidth: - -> 12.5k",
                           "channel 03 power: - -> low",
                           "channel 03 scan: - -> yes",
                           "channel 03 transmit tone: - -> none",
                           "channel 03 receive tone: - -> none",
                           "channel 03 busy lockout: - -> yes",
                           "channel 03 PTT dialling: - -> on"};
}

void TestCliDumpDiff::diff()
{
    QFETCH(Change, change);
    QFETCH(QStringList, expected);
    const RadioData_S a = KnownImage();
    RadioData_S b = a;
    change(&b);
    QCOMPARE(DiffImages(a, b), expected);
}

void TestCliDumpDiff::firstWindowDifference_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("expected");
    QTest::newRow("header bytes are not compared") << 2 << -1;
    QTest::newRow("radio address 0x0080 is offset 4") << 4 << 4;
    QTest::newRow("last window byte, radio address 0x023F") << 451 << 451;
}

void TestCliDumpDiff::firstWindowDifference()
{
    QFETCH(int, offset);
    QFETCH(int, expected);
    const RadioData_S a = KnownImage();
    RadioData_S b = a;
    b.at(offset) ^= 0x01;
    b.at(kImageSize - 1) ^= offset == 4 ? 0x01 : 0x00;   // a later difference does not matter
    QCOMPARE(FirstWindowDifference(a, b), expected);
    QCOMPARE(FirstWindowDifference(a, a), -1);
}

QTEST_MAIN(TestCliDumpDiff)
#include "tst_cli_dumpdiff.moc"
