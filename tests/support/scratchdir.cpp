#include "scratchdir.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextCodec>

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList GoldenLines(const QString &name)
{
    const QByteArray bytes = ReadBytes(QStringLiteral(SOURCE_DIR "/tests/data/") + name);
    if (bytes.isEmpty())   // a table of no rows would pass unseen
        qFatal("golden file tests/data/%s is missing or empty", qPrintable(name));
    return QString::fromUtf8(bytes).split('\n');
}

QList<QStringList> GoldenRows(const QString &name)
{
    QList<QStringList> rows;
    for (const QString &line : GoldenLines(name))
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            rows << line.split('|').replaceInStrings(QRegularExpression("^\\s+|\\s+$"), "");
    return rows;
}

ScratchDir::ScratchDir(const QStringList &files) : m_old(QDir::currentPath())
{
    QDir(m_dir.path()).mkpath("datafile");
    for (const QString &f : files) {
        QFile::copy(QStringLiteral(TEST_DATA_DIR "/") + f, file("datafile/" + f));
        QFile::setPermissions(file("datafile/" + f), QFile::ReadOwner | QFile::WriteOwner);
    }
    QDir::setCurrent(m_dir.path());
}

ScratchDir::~ScratchDir() { QDir::setCurrent(m_old); }

void ScratchDir::setSettings(const QList<std::pair<QString, QString>> &keys) const
{
    QTextCodec *gb = QTextCodec::codecForName("GB2312");
    QString ini = gb->toUnicode(readFile("datafile/sysset.ini"));
    if (!ini.contains("[SYSSET]"))
        ini.prepend("[SYSSET]\n");
    for (const auto &key : keys) {
        const QRegularExpression line("^" + QRegularExpression::escape(key.first) + "=.*$",
                                      QRegularExpression::MultilineOption);
        const QString set = key.first + '=' + key.second;
        ini.contains(line) ? ini.replace(line, set) : ini.append(set + '\n');
    }
    writeFile("datafile/sysset.ini", gb->fromUnicode(ini));
}
