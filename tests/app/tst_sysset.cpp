#include "app/placement.h"
#include "app/releaseinfo.h"
#include "app/sysset.h"
#include "data/radiodata.h"

#include "scratchdir.h"

#include <QtTest>
#include <QTextCodec>

// A status bar text made of one input.
using StatusText = QString (*)(const QString &in);
Q_DECLARE_METATYPE(StatusText)

class TestSysSet : public QObject
{
    Q_OBJECT

private slots:
    void readWithFallbacks_data()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk += char((i * 131 + 7) & 0xFF);
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("chanNum");
        QTest::addColumn<int>("endBand");
        QTest::addColumn<QString>("port");
        auto ini = [](const char *keys) { return QByteArray("[SYSSET]\n") + keys; };
        QTest::newRow("no file") << QByteArray() << "" << 0 << "";
        QTest::newRow("binary junk") << junk << "" << 0 << "";
        QTest::newRow("30 channels used as 22") << ini("ChanNum=30\nEndBand=470\n") << "22" << 470 << "";
        QTest::newRow("22 stays") << ini("ChanNum=22\nSerialNumber=COM3\n") << "22" << 0 << "COM3";
        QTest::newRow("not a number counts as 0") << ini("ChanNum=x16\nEndBand=4e2\n") << "x16" << 0 << "";
        QTest::newRow("negative cannot pass as 255 rows") << ini("ChanNum=-1\n") << "0" << 0 << "";
        QTest::newRow("256 is not 0 rows") << ini("ChanNum=256\n") << "22" << 0 << "";
        QTest::newRow("huge band is not a number") << ini("EndBand=99999999999\n") << "" << 0 << "";
    }

    void readWithFallbacks()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, chanNum);
        QFETCH(int, endBand);
        QFETCH(QString, port);
        SysSet_S set;
        set.SerialNumber = "COM2";
        const QString path = file.isNull() ? m_dir.filePath("none/sysset.ini") : writeIni(file);
        QCOMPARE(ReadSysSetFile(path, &set), kModelWord);
        QCOMPARE(set.ChanNum, chanNum);
        QVERIFY((SysSetInt(set.ChanNum) & 0xFF) <= 22);
        QCOMPARE(SysSetInt(set.EndBand), endBand);
        QCOMPARE(set.SerialNumber, port);   // absent key: empty, the initial port does not survive
        QCOMPARE(set.FilePathDef, QString("./datafile/default.dat"));
    }

    void firstRunChoosesLanguage_data()
    {
        QTest::addColumn<QString>("firstRun");
        QTest::addColumn<uint>("lcid");
        QTest::addColumn<QString>("language");
        QTest::newRow("PRC Chinese") << "Yes" << 0x0804u << "Chinese";
        QTest::newRow("Taiwan Chinese") << "Yes" << 0x0404u << "Chinese";
        QTest::newRow("US English") << "Yes" << 0x0409u << "English";
        QTest::newRow("Hong Kong counts as not Chinese") << "Yes" << 0x0C04u << "English";
        QTest::newRow("yes in lower case is no first run") << "yes" << 0x0804u << "Keep";
        QTest::newRow("empty is no first run") << "" << 0x0804u << "Keep";
    }

    void firstRunChoosesLanguage()
    {
        QFETCH(QString, firstRun);
        QFETCH(uint, lcid);
        QFETCH(QString, language);
        SysSet_S set;
        set.FirstRun = firstRun;
        set.Language = "Keep";
        const bool applied = language != "Keep";
        QCOMPARE(ApplyFirstRun(&set, lcid), applied);
        QCOMPARE(set.Language, language);
        QCOMPARE(set.FirstRun, applied ? QString("No") : firstRun);
    }

    void saveKeepsOtherKeysInGb2312()
    {
        const QString path = writeIni(QTextCodec::codecForName("GB2312")->fromUnicode(
            "[SYSSET]\nSerialNumber=COM1\nLastMacModel=1234\nChCompName=对讲机\nCustomKey=kept\n[OTHER]\nx=1\n"));
        SysSet_S set;
        const uint16_t model = ReadSysSetFile(path, &set);
        QCOMPARE(set.ChCompName, QString("对讲机"));
        set.SerialNumber = "ttyUSB0";
        set.Language = "English";
        set.FirstRun = "No";
        SaveSysSetFile(path, set, model);

        QSettings ini(path, QSettings::IniFormat);
        ini.setIniCodec("GB2312");
        for (const auto &[key, value] : {std::pair{"SYSSET/SerialNumber", "ttyUSB0"}, {"SYSSET/Language", "English"},
                                        {"SYSSET/FirstRun", "No"}, {"SYSSET/LastMacModel", "6B05"},
                                        {"SYSSET/CustomKey", "kept"}, {"OTHER/x", "1"}})
            QCOMPARE(ini.value(key).toString(), QString(value));
        QVERIFY(ReadBytes(path).contains(QByteArray::fromHex("B6D4BDB2BBFA")));   // 对讲机 in GB2312
    }

    void statusValues_data()
    {
        QTest::addColumn<StatusText>("text");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const StatusText release = [](const QString &date) { return ReleaseTimeText(date, "14:07:16"); },
                         file = StatusFileName;
        QTest::newRow("release: month without leading zero") << release << "May 27 2021" << "2021-5-27 14:07:16";
        QTest::newRow("release: day below 10 keeps its blank") << release << "Jun  3 2021" << "2021-6- 3 14:07:16";
        QTest::newRow("release: unknown month gives 0") << release << "Xyz 27 2021" << "2021-0-27 14:07:16";
        QTest::newRow("file: default data file") << file << "./datafile/default.dat" << "default.dat";
        QTest::newRow("file: drive path") << file << "D:/radio/a.dat" << "a.dat";
        QTest::newRow("file: no slash") << file << "plain.dat" << "plain.dat";
        QTest::newRow("file: absolute path shows last component") << file << "/home/u/b.dat" << "b.dat";
        QTest::newRow("file: backslash is no separator") << file << "C:\\r\\c.dat" << "C:\\r\\c.dat";
    }

    void statusValues()
    {
        QFETCH(StatusText, text);
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(text(in), out);
        QCOMPARE(ClockText(QDateTime(QDate(2021, 6, 3), QTime(9, 5, 0))), QString("2021-06-03 09:05:00"));
    }

    void windowPosition()
    {
        QCOMPARE(MainWindowPosition(QSize(1920, 1080), QSize(838, 605)), QPoint(541, 158));
        QCOMPARE(MainWindowPosition(QSize(1920, 600), QSize(838, 605)), QPoint(541, -1));   // toward zero
    }

private:
    // A new name per case: QSettings caches a file it has seen in this process.
    QString writeIni(const QByteArray &bytes)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QString("sysset%1.ini").arg(++n));
        WriteBytes(path, bytes);
        return path;
    }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSysSet)
#include "tst_sysset.moc"
