#include "app/sysset.h"
#include "data/radiodata.h"

#include "scratchdir.h"

#include <QtTest>

class TestSysSet : public QObject
{
    Q_OBJECT

private slots:
    // A settings file read as the program starts: the fallbacks, then the first run.
    void readAndFirstRun_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<uint>("lcid");
        QTest::addColumn<QString>("chanNum");
        QTest::addColumn<int>("endBand");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("firstRun");
        for (const QStringList &f : GoldenRows("sysset-read.txt"))
            QTest::newRow(qPrintable(f[7]))
                    << (f[0] == "-" ? QByteArray() : "[SYSSET]\n" + f[0].split(' ').join('\n').toUtf8())
                    << f[1].toUInt(nullptr, 16) << f[2] << f[3].toInt() << f[4] << f[5] << f[6];
    }

    void readAndFirstRun()
    {
        QFETCH(QByteArray, file);
        QFETCH(uint, lcid);
        SysSet_S set;
        set.SerialNumber = "COM2";
        QCOMPARE(ReadSysSetFile(file.isNull() ? m_dir.filePath("none/sysset.ini") : writeIni(file), &set), kModelWord);
        QTEST(set.ChanNum, "chanNum");
        QVERIFY((SysSetInt(set.ChanNum) & 0xFF) <= 22);
        QTEST(SysSetInt(set.EndBand), "endBand");
        QTEST(set.SerialNumber, "port");   // absent key: empty, the initial port does not survive
        QCOMPARE(set.FilePathDef, QString("./datafile/default.dat"));
        const QString before = set.FirstRun;
        const bool applied = ApplyFirstRun(&set, lcid);
        QCOMPARE(applied, set.FirstRun != before);   // whether the caller saves
        QTEST(set.Language, "language");
        QTEST(set.FirstRun, "firstRun");
    }

    // Saved: the keys the program owns; kept: every other key and group, GB2312.
    void saveKeepsOtherKeysInGb2312()
    {
        const QString path = writeIni(ReadBytes(SOURCE_DIR "/tests/data/sysset-before-save.ini"));
        SysSet_S set;
        const uint16_t model = ReadSysSetFile(path, &set);
        QCOMPARE(set.ChCompName, QString("对讲机"));
        set.SerialNumber = "ttyUSB0";
        set.Language = "English";
        set.FirstRun = "No";
        SaveSysSetFile(path, set, model);
        QCOMPARE(ReadBytes(path), ReadBytes(SOURCE_DIR "/tests/data/sysset-saved.ini"));
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
