// Every input kept for the fuzz targets, seeds and the inputs of faults
// found, replayed through the same target bodies.
#include "fuzztargets.h"
#include "scratchdir.h"

#include <QtTest>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void replay()
    {
        const QList<QPair<QString, bool (*)(const uint8_t *, size_t)>> targets = {
            {"reply", FuzzReply}, {"datafile", FuzzDataFile}, {"sysset", FuzzSysSet}, {"csv", FuzzCsv}};
        for (const auto &[name, target] : targets) {
            const QFileInfoList files = QDir(SOURCE_DIR "/tests/fuzz/corpus/" + name).entryInfoList(QDir::Files);
            QVERIFY2(!files.isEmpty(), qPrintable(name));
            for (const QFileInfo &f : files) {
                const QByteArray input = ReadBytes(f.filePath());
                QVERIFY2(target(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size())),
                         qPrintable(name + '/' + f.fileName()));
            }
        }
    }
};

QTEST_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
