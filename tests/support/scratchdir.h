#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <utility>

// The bytes of a file (empty when it cannot be read); a file made of bytes.
QByteArray ReadBytes(const QString &path);
bool WriteBytes(const QString &path, const QByteArray &bytes);
// The lines of a golden file under tests/data/; its cases, a line each (blank
// and '#' lines skipped), the fields between '|' trimmed.
QStringList GoldenLines(const QString &name);
QList<QStringList> GoldenRows(const QString &name);

// A scratch working folder holding a copy of the delivered datafile/;
// the process works inside it until the object goes away.
class ScratchDir
{
public:
    explicit ScratchDir(const QStringList &files = {"sysset.ini", "default.dat", "English.qm"});
    ~ScratchDir();

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }
    void writeFile(const QString &relative, const QByteArray &bytes) const { WriteBytes(file(relative), bytes); }
    QByteArray readFile(const QString &relative) const { return ReadBytes(file(relative)); }

    // Sets keys of datafile/sysset.ini (GB2312) in place, appending missing ones.
    void setSettings(const QList<std::pair<QString, QString>> &keys) const;
    // The settings of a later start in this language.
    void setLanguage(const QString &language) const { setSettings({{"Language", language}, {"FirstRun", "No"}}); }

private:
    QString m_old;
    QTemporaryDir m_dir;
};
