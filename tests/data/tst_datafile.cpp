#include "data/datafile.h"

#include <QtTest>

#include <cstring>
#include <unistd.h>

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadRefusesWrongSizes_data();
    void loadRefusesWrongSizes();
    void loadReplacesModelWord();
    void loadRefusesMissingFileWithoutCreatingIt();
    void loadRefusesReadOnlyFile();
    void hugeFileRefusedBySize();
    void saveWritesImageAndReplacesOldFile();
    void failedSaveKeepsOldFile();
    void versionText_data();
    void versionText();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
    RadioData_S m_image;
};

void TestDataFile::init()
{
    std::memset(m_image.bytes(), 0x33, kImageSize);
}

QString TestDataFile::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
}

void TestDataFile::loadRefusesWrongSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("451 bytes refused") << 451 << false;
    QTest::newRow("452 bytes of anything accepted") << 452 << true;
    QTest::newRow("453 bytes refused") << 453 << false;
    QTest::newRow("empty file refused") << 0 << false;
}

void TestDataFile::loadRefusesWrongSizes()
{
    QFETCH(int, size);
    QFETCH(bool, accepted);
    const QString path = write("sized.dat", QByteArray(size, char(0xA7)));
    const DataFileError r = LoadRadioDataFile(path, kModelWord, &m_image);
    QCOMPARE(r == DataFileError::None, accepted);
    if (accepted) {
        QCOMPARE(m_image.at(2), uint8_t(0xA7));
        QCOMPARE(m_image.at(451), uint8_t(0xA7));
    } else {
        QCOMPARE(r, DataFileError::WrongSize);
        for (int i = 0; i < kImageSize; ++i)
            QCOMPARE(m_image.at(i), uint8_t(0x33));   // nothing changed
    }
}

void TestDataFile::loadReplacesModelWord()
{
    QByteArray bytes(kImageSize, char(0x11));
    bytes[0] = 0;
    bytes[1] = 0;
    bytes[2] = char(0xFF);
    bytes[3] = char(0xFF);
    LoadRadioDataFile(write("model.dat", bytes), kModelWord, &m_image);
    QCOMPARE(m_image.at(0), uint8_t(0x05));
    QCOMPARE(m_image.at(1), uint8_t(0x6B));
    QCOMPARE(m_image.at(2), uint8_t(0xFF));   // version loaded unchanged
    QCOMPARE(m_image.at(3), uint8_t(0xFF));
    QCOMPARE(HeaderVersionText(m_image.Header), QString("V255.255"));
}

void TestDataFile::loadRefusesMissingFileWithoutCreatingIt()
{
    const QString path = m_dir.filePath("absent.dat");
    QCOMPARE(LoadRadioDataFile(path, kModelWord, &m_image), DataFileError::CannotOpen);
    QVERIFY(!QFile::exists(path));
}

void TestDataFile::loadRefusesReadOnlyFile()
{
    if (geteuid() == 0)
        QSKIP("root opens read-only files for writing");
    const QString path = write("ro.dat", QByteArray(kImageSize, 0));
    QFile::setPermissions(path, QFile::ReadOwner);
    QCOMPARE(LoadRadioDataFile(path, kModelWord, &m_image), DataFileError::CannotOpen);
}

void TestDataFile::hugeFileRefusedBySize()
{
    const QString path = m_dir.filePath("huge.dat");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(qint64(4) << 30));   // sparse 4 GiB: refused without reading
    f.close();
    QCOMPARE(LoadRadioDataFile(path, kModelWord, &m_image), DataFileError::WrongSize);
}

void TestDataFile::saveWritesImageAndReplacesOldFile()
{
    const QString path = write("out.dat", QByteArray(1000, 'x'));
    for (int i = 0; i < kImageSize; ++i)
        m_image.at(i) = static_cast<uint8_t>(i * 7);
    QCOMPARE(SaveRadioDataFile(path, m_image), DataFileError::None);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray(reinterpret_cast<const char *>(m_image.bytes()), kImageSize));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter("out.dat").size(), 1);
}

void TestDataFile::failedSaveKeepsOldFile()
{
    const QByteArray old(kImageSize, char(0x42));
    const QString path = write("keep.dat", old);

    // Existing file that may not be written: refused, untouched.
    QFile::setPermissions(path, QFile::ReadOwner);
    QCOMPARE(SaveRadioDataFile(path, m_image), DataFileError::CannotWrite);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    // Folder that cannot take the temporary file: the old file stays whole.
    if (geteuid() != 0) {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(SaveRadioDataFile(path, m_image), DataFileError::CannotWrite);
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A folder, or a path in a missing folder.
    QCOMPARE(SaveRadioDataFile(m_dir.path(), m_image), DataFileError::CannotWrite);
    QCOMPARE(SaveRadioDataFile(m_dir.filePath("no/such/dir/x.dat"), m_image), DataFileError::CannotWrite);

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
}

void TestDataFile::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("text");
    QTest::newRow("minor as two digits") << 1 << 5 << "V1.05";
    QTest::newRow("two-digit minor") << 2 << 10 << "V2.10";
    QTest::newRow("zero") << 0 << 0 << "V0.00";
    QTest::newRow("erased header") << 255 << 255 << "V255.255";
}

void TestDataFile::versionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, text);
    ConnectCnfData_S h{0x05, 0x6B, static_cast<uint8_t>(major), static_cast<uint8_t>(minor)};
    QCOMPARE(HeaderVersionText(h), text);
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
