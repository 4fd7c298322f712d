#include "datafile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

const char kDefaultDataFile[] = "./datafile/default.dat";

DataFileError LoadRadioDataFile(const QString &path, uint16_t model, RadioData_S *image, bool readOnly)
{
    QFile file(path);
    // ExistingOnly: a missing file must not be created by the read-write open.
    if (!file.open((readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite) | QIODevice::ExistingOnly))
        return DataFileError::CannotOpen;
    // A file marked read-only is refused, also for a user whose read-write
    // open overrides the mark.
    if (!readOnly && !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        return DataFileError::CannotOpen;
    if (file.size() != kImageSize)
        return DataFileError::WrongSize;
    const QByteArray bytes = file.read(kImageSize + 1);
    file.close();
    if (bytes.size() != kImageSize)
        return DataFileError::WrongSize;
    std::memcpy(image->bytes(), bytes.constData(), kImageSize);
    image->Header.ModelLo = static_cast<uint8_t>(model & 0xFF);
    image->Header.ModelHi = static_cast<uint8_t>(model >> 8);
    return DataFileError::None;
}

DataFileError SaveRadioDataFile(const QString &path, const RadioData_S &image, QString *why, bool privateFile)
{
    return SaveFileBytes(path, QByteArray::fromRawData(reinterpret_cast<const char *>(image.bytes()), kImageSize),
                         why, privateFile);
}

bool CanSaveTo(const QString &path, QString *why)
{
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QFileInfo info(path);
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));
    if (info.isDir())
        return fail(QStringLiteral("is a folder"));
    // A file marked read-only stays as it is, also for a user who could
    // override the mark.
    const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && !(info.permissions() & writeBits))
        return fail(QStringLiteral("the file is marked read-only"));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return fail(QString::fromLocal8Bit(std::strerror(ENOENT)));
    if ((info.exists() && !info.isWritable()) || !folder.isWritable())
        return fail(QString::fromLocal8Bit(std::strerror(EACCES)));
    return true;
}

DataFileError SaveFileBytes(const QString &path, const QByteArray &bytes, QString *why, bool privateFile)
{
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return DataFileError::CannotWrite;
    };
    if (!CanSaveTo(path, why))
        return DataFileError::CannotWrite;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // Set on the new file before its bytes go in.
    if (privateFile && !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    return file.commit() ? DataFileError::None : fail(file.errorString());
}

QString HeaderVersionText(const ConnectCnfData_S &header)
{
    return QString::asprintf("V%d.%02d", header.VerMajor, header.VerMinor);
}
