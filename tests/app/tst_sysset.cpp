#include "app/releaseinfo.h"
#include "app/sysset.h"
#include "app/placement.h"
#include "data/radiodata.h"

#include <QtTest>
#include <QTextCodec>

class TestSysSet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void missingFileGivesFallbacks();
    void garbageFileGivesFallbacks();
    void keysAreReadAsText();
    void chanNumIsCapped_data();
    void chanNumIsCapped();
    void firstRunChoosesLanguage_data();
    void firstRunChoosesLanguage();
    void saveKeepsUnknownKeysAndWritesModel();
    void chineseTextsAreGb2312();
    void releaseTime_data();
    void releaseTime();
    void clockText();
    void statusFileName_data();
    void statusFileName();
    void windowPosition_data();
    void windowPosition();

private:
    QString writeIni(const QByteArray &utf8Body);
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSysSet::init()
{
    // A new name per case: QSettings caches a file it has seen in this process.
    static int n = 0;
    m_path = m_dir.filePath(QString("sysset%1.ini").arg(++n));
}

QString TestSysSet::writeIni(const QByteArray &utf8Body)
{
    QFile f(m_path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(QTextCodec::codecForName("GB2312")->fromUnicode(QString::fromUtf8(utf8Body)));
    return m_path;
}

void TestSysSet::missingFileGivesFallbacks()
{
    SysSet_S set;
    QCOMPARE(ReadSysSetFile(m_dir.filePath("none/sysset.ini"), &set), kModelWord);
    QVERIFY(set.SerialNumber.isEmpty());
    QVERIFY(set.Language.isEmpty());
    QCOMPARE(set.FilePathDef, QString("./datafile/default.dat"));
    QCOMPARE(SysSetInt(set.ChanNum), 0);
    QCOMPARE(SysSetInt(set.StartBand), 0);
}

void TestSysSet::garbageFileGivesFallbacks()
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 131 + 7) & 0xFF);
    QFile f(m_path);
    f.open(QIODevice::WriteOnly);
    f.write(junk);
    f.close();
    SysSet_S set;
    QCOMPARE(ReadSysSetFile(m_path, &set), kModelWord);
    QCOMPARE(set.FilePathDef, QString("./datafile/default.dat"));
    QVERIFY(SysSetInt(set.ChanNum) >= 0 && SysSetInt(set.ChanNum) <= 22);
}

void TestSysSet::keysAreReadAsText()
{
    writeIni("[SYSSET]\nSerialNumber=COM3\nLanguage=English\nStartBand=400\nEndBand=99999999999\n"
             "Version=1.01\nFilePathDef=\nChanNum=abc\nChanLimit=0\nSoftName=HT\n");
    SysSet_S set;
    ReadSysSetFile(m_path, &set);
    QCOMPARE(set.SerialNumber, QString("COM3"));
    QCOMPARE(set.Language, QString("English"));
    QCOMPARE(SysSetInt(set.StartBand), 400);
    QCOMPARE(SysSetInt(set.EndBand), 0);        // too large for an integer: not a number
    QCOMPARE(set.FilePathDef, QString("./datafile/default.dat"));
    QCOMPARE(SysSetInt(set.ChanNum), 0);
    QCOMPARE(set.ChanLimit, QString("0"));
}

void TestSysSet::chanNumIsCapped_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("used");
    QTest::newRow("30 is used as 22") << "30" << "22";
    QTest::newRow("22 stays") << "22" << "22";
    QTest::newRow("16 stays") << "16" << "16";
    QTest::newRow("not a number gives 0") << "x16" << "x16";
    QTest::newRow("negative cannot pass as 255 rows") << "-1" << "0";
    QTest::newRow("256 would be 0 in 8 bits") << "256" << "22";
}

void TestSysSet::chanNumIsCapped()
{
    QFETCH(QString, stored);
    QFETCH(QString, used);
    writeIni("[SYSSET]\nChanNum=" + stored.toUtf8() + "\n");
    SysSet_S set;
    ReadSysSetFile(m_path, &set);
    QCOMPARE(set.ChanNum, used);
    QVERIFY((SysSetInt(set.ChanNum) & 0xFF) <= 22);
}

void TestSysSet::firstRunChoosesLanguage_data()
{
    QTest::addColumn<QString>("firstRun");
    QTest::addColumn<uint>("lcid");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("language");
    QTest::newRow("PRC Chinese") << "Yes" << 0x0804u << true << "Chinese";
    QTest::newRow("Taiwan Chinese") << "Yes" << 0x0404u << true << "Chinese";
    QTest::newRow("US English") << "Yes" << 0x0409u << true << "English";
    QTest::newRow("Hong Kong counts as not Chinese") << "Yes" << 0x0C04u << true << "English";
    QTest::newRow("yes in lower case is no first run") << "yes" << 0x0804u << false << "Keep";
    QTest::newRow("empty is no first run") << "" << 0x0804u << false << "Keep";
}

void TestSysSet::firstRunChoosesLanguage()
{
    QFETCH(QString, firstRun);
    QFETCH(uint, lcid);
    QFETCH(bool, applied);
    QFETCH(QString, language);
    SysSet_S set;
    set.FirstRun = firstRun;
    set.Language = "Keep";
    QCOMPARE(ApplyFirstRun(&set, lcid), applied);
    QCOMPARE(set.Language, language);
    QCOMPARE(set.FirstRun, applied ? QString("No") : firstRun);
}

void TestSysSet::saveKeepsUnknownKeysAndWritesModel()
{
    writeIni("[SYSSET]\nSerialNumber=COM1\nLastMacModel=1234\nSoftName=HT\nCustomKey=kept\n"
             "[OTHER]\nx=1\n");
    SysSet_S set;
    const uint16_t model = ReadSysSetFile(m_path, &set);
    set.SerialNumber = "ttyUSB0";
    set.Language = "English";
    set.FirstRun = "No";
    SaveSysSetFile(m_path, set, model);

    QSettings ini(m_path, QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    QCOMPARE(ini.value("SYSSET/SerialNumber").toString(), QString("ttyUSB0"));
    QCOMPARE(ini.value("SYSSET/Language").toString(), QString("English"));
    QCOMPARE(ini.value("SYSSET/FirstRun").toString(), QString("No"));
    QCOMPARE(ini.value("SYSSET/LastMacModel").toString(), QString("6B05"));
    QCOMPARE(ini.value("SYSSET/CustomKey").toString(), QString("kept"));
    QCOMPARE(ini.value("SYSSET/SoftName").toString(), QString("HT"));
    QCOMPARE(ini.value("OTHER/x").toString(), QString("1"));
}

void TestSysSet::chineseTextsAreGb2312()
{
    writeIni("[SYSSET]\nChCompName=对讲机\n");
    SysSet_S set;
    ReadSysSetFile(m_path, &set);
    QCOMPARE(set.ChCompName, QString::fromUtf8("对讲机"));
    set.SerialNumber = QString::fromUtf8("端口");
    SaveSysSetFile(m_path, set, kModelWord);
    QFile f(m_path);
    f.open(QIODevice::ReadOnly);
    const QByteArray raw = f.readAll();
    QVERIFY(raw.contains(QByteArray::fromHex("B6D4BDB2BBFA")));   // 对讲机 in GB2312
}

void TestSysSet::releaseTime_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("month without leading zero") << "May 27 2021" << "2021-5-27 14:07:16";
    QTest::newRow("day below 10 keeps its blank") << "Jun  3 2021" << "2021-6- 3 14:07:16";
    QTest::newRow("unknown month gives 0") << "Xyz 27 2021" << "2021-0-27 14:07:16";
    QTest::newRow("December") << "Dec 31 2026" << "2026-12-31 14:07:16";
}

void TestSysSet::releaseTime()
{
    QFETCH(QString, date);
    QFETCH(QString, text);
    QCOMPARE(ReleaseTimeText(date, "14:07:16"), text);
}

void TestSysSet::clockText()
{
    const QString t = ClockText(QDateTime(QDate(2021, 6, 3), QTime(9, 5, 0)));
    QCOMPARE(t, QString("2021-06-03 09:05:00"));
    QCOMPARE(t.size(), 19);
}

void TestSysSet::statusFileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("default data file") << "./datafile/default.dat" << "default.dat";
    QTest::newRow("Windows drive path") << "D:/radio/a.dat" << "a.dat";
    QTest::newRow("no slash") << "plain.dat" << "plain.dat";
    QTest::newRow("absolute path shows its last component") << "/home/u/plans/b.dat" << "b.dat";
    QTest::newRow("backslash is no separator") << "C:\\r\\c.dat" << "C:\\r\\c.dat";
    QTest::newRow("empty") << "" << "";
}

void TestSysSet::statusFileName()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(StatusFileName(path), name);
}

void TestSysSet::windowPosition_data()
{
    QTest::addColumn<QSize>("desktop");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(838, 605) << QPoint(541, 158);
    QTest::newRow("taller than the desktop by 5 truncates toward zero")
        << QSize(1920, 600) << QSize(838, 605) << QPoint(541, -1);
}

void TestSysSet::windowPosition()
{
    QFETCH(QSize, desktop);
    QFETCH(QSize, window);
    QFETCH(QPoint, pos);
    QCOMPARE(MainWindowPosition(desktop, window), pos);
}

QTEST_GUILESS_MAIN(TestSysSet)
#include "tst_sysset.moc"
