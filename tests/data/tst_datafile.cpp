#include "data/datafile.h"

#include <QtTest>

#include <cstring>
#include <unistd.h>

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void loadChecksSizeFirst_data();
    void loadChecksSizeFirst();
    void loadPutsModelWordKeepsVersion();
    void loadRefusesMissingOrReadOnlyFile();
    void saveReplacesFileAtomically();
    void failedSaveKeepsOldFile();

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QTemporaryDir m_dir;
};

void TestDataFile::loadChecksSizeFirst_data()
{
    QTest::addColumn<qint64>("size");
    QTest::newRow("451 bytes refused") << qint64(451);
    QTest::newRow("452 bytes of anything accepted") << qint64(452);
    QTest::newRow("453 bytes refused") << qint64(453);
    QTest::newRow("empty file refused") << qint64(0);
    QTest::newRow("sparse 4 GiB refused without reading") << (qint64(4) << 30);
}

void TestDataFile::loadChecksSizeFirst()
{
    QFETCH(qint64, size);
    QFile f(write("sized.dat", {}));
    f.open(QIODevice::ReadWrite);
    f.resize(size);
    f.close();
    RadioData_S image;
    std::memset(image.bytes(), 0x33, kImageSize);
    const DataFileError r = LoadRadioDataFile(f.fileName(), kModelWord, &image);
    QCOMPARE(r, size == kImageSize ? DataFileError::None : DataFileError::WrongSize);
    QCOMPARE(image.at(451), uint8_t(size == kImageSize ? 0 : 0x33));   // untouched when refused
}

void TestDataFile::loadPutsModelWordKeepsVersion()
{
    RadioData_S image;
    QByteArray bytes(kImageSize, char(0x11));
    bytes.replace(0, 4, QByteArray::fromHex("0000FFFF"));
    QCOMPARE(LoadRadioDataFile(write("model.dat", bytes), kModelWord, &image), DataFileError::None);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(image.bytes()), 5), QByteArray::fromHex("056BFFFF11"));
    QCOMPARE(HeaderVersionText(image.Header), QString("V255.255"));
    image.Header.VerMajor = 1;
    image.Header.VerMinor = 5;
    QCOMPARE(HeaderVersionText(image.Header), QString("V1.05"));
}

void TestDataFile::loadRefusesMissingOrReadOnlyFile()
{
    RadioData_S image;
    const QString path = m_dir.filePath("absent.dat");
    QCOMPARE(LoadRadioDataFile(path, kModelWord, &image), DataFileError::CannotOpen);
    QVERIFY(!QFile::exists(path));
    const QString readOnly = write("ro.dat", QByteArray(kImageSize, char(0x11)));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);   // refused, also for root
    image.at(4) = 0x22;
    QCOMPARE(LoadRadioDataFile(readOnly, kModelWord, &image), DataFileError::CannotOpen);
    QCOMPARE(image.at(4), uint8_t(0x22));
}

void TestDataFile::saveReplacesFileAtomically()
{
    const QString path = write("out.dat", QByteArray(1000, 'x'));
    RadioData_S image;
    for (int i = 0; i < kImageSize; ++i)
        image.at(i) = static_cast<uint8_t>(i * 7);
    QCOMPARE(SaveRadioDataFile(path, image), DataFileError::None);
    QCOMPARE(read(path), QByteArray(reinterpret_cast<const char *>(image.bytes()), kImageSize));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter("out.dat").size(), 1);
}

void TestDataFile::failedSaveKeepsOldFile()
{
    const QByteArray old(kImageSize, char(0x42));
    const QString path = write("keep.dat", old);
    RadioData_S image{};
    QFile::setPermissions(path, QFile::ReadOwner);   // marked read-only: refused, also for root
    QCOMPARE(SaveRadioDataFile(path, image), DataFileError::CannotWrite);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (geteuid() != 0) {   // a folder that cannot take the temporary file
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(SaveRadioDataFile(path, image), DataFileError::CannotWrite);
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QCOMPARE(SaveRadioDataFile(m_dir.path(), image), DataFileError::CannotWrite);
    QCOMPARE(SaveRadioDataFile(m_dir.filePath("no/such/dir/x.dat"), image), DataFileError::CannotWrite);
    QCOMPARE(read(path), old);
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
