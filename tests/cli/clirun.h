#pragma once

// radiocps-cli as a real process in a scratch run folder, beside the emulated radio (SimProcess).

#include "cli/exitstatus.h"
#include "imagebytes.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QtCore>

#include <unistd.h>

struct Run {
    int status;   // -1: no normal exit
    QString out;
    QStringList errLines;
};

// AsUser: as an ordinary user, for whom file modes apply (as root: without the right to override them).
enum Starter { Directly, AsUser };

// The tool (or program, a copy of it) in cwd, by default the scratch folder, for a user whose home and
// $XDG_DATA_HOME (xdg/) lie there, so no settings of the machine's user are found; stderr to errFile if given.
inline Run Cli(const ScratchDir &dir, const QStringList &args, Starter starter = Directly,
               const QString &errFile = QString(), const QString &cwd = QString(),
               const QString &program = RUN_DIR "/radiocps-cli")
{
    QProcess p;
    p.setWorkingDirectory(cwd.isEmpty() ? dir.path() : cwd);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dir.file("xdg"));
    env.insert("HOME", dir.file("home"));
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(errFile);   // none if empty
    const bool drop = starter == AsUser && geteuid() == 0;
    p.start(drop ? "setpriv" : program,
            (drop ? QStringList{"--bounding-set=-dac_override,-dac_read_search", program} : QStringList()) + args);
    const bool ended = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts)};
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

// The backups the tool has saved, by name; the memory window of a data file, as hex.
inline QStringList Backups(const ScratchDir &dir) { return QDir(dir.file("backups")).entryList(QDir::Files); }
inline QByteArray Window(const QByteArray &file) { return file.mid(kHeaderSize).toHex(' '); }
