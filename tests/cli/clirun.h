#pragma once

// radiocps-cli as a real process in a scratch run folder, beside the
// emulated radio (SimProcess).

#include "cli/exitstatus.h"
#include "data/pagestore.h"

#include "imagebytes.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QDirIterator>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <unistd.h>

struct Run {
    int status = -1;
    QString out;
    QStringList errLines;
};

// How the tool is started: as the test runs, or as an ordinary user, for
// whom file modes apply (as root: without the right to override them).
enum Starter { Directly, AsUser };

// The environment of a user whose home and data folder lie in the scratch
// folder: $XDG_DATA_HOME is xdg/.
inline QProcessEnvironment UserEnvironment(const ScratchDir &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dir.file("xdg"));
    env.insert("HOME", dir.file("home"));
    return env;
}

// The tool in the scratch folder (or cwd), for a user whose home and data
// folder lie in it, so no settings of the machine's user are found.
// errFile: standard error goes there instead of being captured. program:
// another copy of the tool.
inline Run Cli(const ScratchDir &dir, const QStringList &args, Starter starter = Directly,
               const QString &errFile = QString(), const QString &program = QString(),
               const QString &cwd = QString())
{
    QProcess p;
    p.setWorkingDirectory(cwd.isEmpty() ? dir.path() : cwd);
    p.setProcessEnvironment(UserEnvironment(dir));
    if (!errFile.isEmpty())
        p.setStandardErrorFile(errFile);
    const QString cli = program.isEmpty() ? QStringLiteral(RUN_DIR "/radiocps-cli") : program;
    if (starter == AsUser && geteuid() == 0)
        p.start("setpriv", QStringList{"--bounding-set=-dac_override,-dac_read_search", cli} + args);
    else
        p.start(cli, args);
    Run r;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        r.status = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.errLines = QString::fromLocal8Bit(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return r;
}

// Every file below the folder by relative path, with its bytes.
inline QMap<QString, QByteArray> Files(const ScratchDir &dir)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = QDir(dir.path()).relativeFilePath(it.next());
        files.insert(relative, dir.readFile(relative));
    }
    return files;
}

// The backups the tool has saved, by name.
inline QStringList Backups(const ScratchDir &dir)
{
    return QDir(dir.file("backups")).entryList(QDir::Files);
}

// The memory window of a data file, as hex.
inline QByteArray Window(const QByteArray &file)
{
    return file.mid(kHeaderSize).toHex(' ');
}

// Random bytes, five channels in use; as the window would save it when
// normalised (ChanNum 16).
inline QByteArray RandomImage(quint32 seed, bool normalised = false)
{
    QRandomGenerator rng(seed);
    RadioData_S image;
    for (int i = 0; i < kImageSize; ++i)
        image.at(i) = uint8_t(rng.bounded(256));
    image.at(0x0A) = 0;
    image.at(0x0B) = 5;
    return Bytes(normalised ? NormaliseImage(image, 16) : image);
}
