#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A scratch working folder holding a copy of the delivered datafile/;
// the process works inside it until the object goes away.
class ScratchDir
{
public:
    explicit ScratchDir(const QStringList &files = {"sysset.ini", "default.dat", "English.qm"})
        : m_old(QDir::currentPath())
    {
        QDir(m_dir.path()).mkpath("datafile");
        for (const QString &f : files)
            QFile::copy(QStringLiteral(TEST_DATA_DIR "/") + f, m_dir.filePath("datafile/" + f));
        for (const QString &f : files)
            QFile(m_dir.filePath("datafile/" + f)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        QDir::setCurrent(m_dir.path());
    }
    ~ScratchDir() { QDir::setCurrent(m_old); }

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // Replaces datafile/sysset.ini with the given lines (written as GB2312
    // by the caller when needed).
    void writeFile(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(file(relative));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }
    QByteArray readFile(const QString &relative) const
    {
        QFile f(file(relative));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QString m_old;
    QTemporaryDir m_dir;
};
