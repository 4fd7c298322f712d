// Every input kept for the fuzz targets, seeds and the inputs of faults
// found, replayed through the same target bodies.
#include "fuzztargets.h"
#include "scratchdir.h"

#include <QDir>
#include <QtTest>

using Target = bool (*)(const uint8_t *, size_t);
Q_DECLARE_METATYPE(Target)

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("file");
        const QList<QPair<QString, Target>> targets = {
            {"reply", FuzzReply}, {"datafile", FuzzDataFile}, {"sysset", FuzzSysSet}, {"csv", FuzzCsv}};
        for (const auto &t : targets) {
            const QDir dir(QStringLiteral(SOURCE_DIR "/tests/fuzz/corpus/") + t.first);
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            QVERIFY2(!files.isEmpty(), qPrintable(t.first));
            for (const QString &f : files)
                QTest::newRow(qPrintable(t.first + '/' + f)) << t.second << dir.filePath(f);
        }
    }
    void replay()
    {
        QFETCH(Target, target);
        QFETCH(QString, file);
        const QByteArray input = ReadBytes(file);
        QVERIFY(QFileInfo(file).isReadable());
        QVERIFY(target(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size())));
    }
};

QTEST_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
