#pragma once

#include "exitstatus.h"

#include "data/radiodata.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;
struct SysSet_S;

// Files of the command line: each failure is reported on standard error
// and the function returns false.

bool LoadImage(const QString &path, RadioData_S *image);
bool SaveImage(const QString &path, const RadioData_S &image, bool privateFile = false);

// Replaces path atomically; "-" is standard output.
bool SaveText(const QString &path, const QByteArray &bytes);

// The settings file: --settings FILE when given (UseSettingsFile), else the
// run folder's ./datafile/sysset.ini, else the one in the per-user data
// folder the launcher runs the window in, else the installed default.
// Without one the channel count would silently be 0, so one must be found.
void UseSettingsFile(const QString &path);
bool LoadSettings(SysSet_S *set);
// The option that names the settings file.
QCommandLineOption SettingsOption();

// Where write keeps its backups: ./backups in a run folder (one holding
// ./datafile/sysset.ini), else backups/ in the per-user data folder.
QString BackupFolder();
// Saves a backup of the radio as <folder>/<name>-YYYYMMDD-HHMMSS.dat,
// numbered on when taken; its path, or empty after reporting why.
QString SaveBackup(const RadioData_S &backup, const QString &name);

// Notes on standard error when the image uses more channels than ChanNum
// keeps.
void NoteChannelCut(const QString &subject, const RadioData_S &image, int chanNum);

// What write sends and verify expects for a data file: the image the window
// would write after opening it, or with raw the file byte for byte.
bool ImageToSend(const QString &path, bool raw, RadioData_S *image);

// The PORT FILE.dat arguments of write and verify, and the image to send
// for the file (--raw as given); Usage or FileError after reporting why.
Exit PortAndImage(const QCommandLineParser &parser, const char *command, QString *port, QString *path,
                  RadioData_S *image);
