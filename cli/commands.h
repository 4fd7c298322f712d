#pragma once

#include "exitstatus.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;

// A positional argument as its help shows it.
struct Argument {
    // syntax: in the usage line when not just the name, "PORT -o FILE.dat".
    Argument(const QString &name, const QString &meaning, const QString &syntax = QString())
        : name(name), meaning(meaning), syntax(syntax)
    {
    }
    QString name;
    QString meaning;
    QString syntax;
};

// A command of radiocps-cli: what its parser and help know of it, and the
// function that runs it on the parsed command line.
struct Command {
    const char *name;                           // as typed: "export-csv"
    const char *summary;                        // its line in the general help
    const char *description;                    // its own help, wrapped with '\n'
    QList<Argument> arguments;
    QList<QCommandLineOption> options;
    Exit (*run)(const QCommandLineParser &parser);
};

// One per command, each in the file of its name.
Command ReadCommand();
Command WriteCommand();
Command VerifyCommand();
Command DumpCommand();
Command DiffCommand();
Command ExportCsvCommand();
Command ImportCsvCommand();
Command PortsCommand();
Command CloneCommand();

// What PORT is, for the help of every command that takes one.
inline constexpr char kPortMeaning[] = "a name from 'ports' (ttyUSB0) or a device path (/dev/ttyUSB0)";
