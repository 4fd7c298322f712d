// radiocps-cli: headless read and write of the radio, dump, diff and CSV
// channel plans, on the same core as the desktop program. The settings file
// gives ChanNum and the band (files.h says where it is looked for).
#include "commands.h"
#include "console.h"
#include "exitstatus.h"
#include "files.h"
#include "radiolink.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QVector>

#include <cstdio>

namespace {

const char kProgram[] = "radiocps-cli";

const QVector<Command> &Commands()
{
    static const QVector<Command> commands = {ReadCommand(),    WriteCommand(),     VerifyCommand(),
                                              CloneCommand(),   DumpCommand(),      DiffCommand(),
                                              ExportCsvCommand(), ImportCsvCommand(), PortsCommand()};
    return commands;
}

const Command *FindCommand(const QString &name)
{
    for (const Command &c : Commands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

const QCommandLineOption &HelpOption()
{
    static const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("show this help"));
    return help;
}

// The parser's help. Qt's usage line names the program as it was started
// ("./radiocps-cli", a full path); here it is named as typed, with the
// command: "Usage: radiocps-cli read [options] PORT".
QString HelpText(const QCommandLineParser &parser, const QString &usageName)
{
    QString text = parser.helpText();
    const QString started = QStringLiteral("Usage: ") + QCoreApplication::arguments().constFirst();
    if (text.startsWith(started))
        text.replace(0, started.size(), QStringLiteral("Usage: ") + usageName);
    return text;
}

void SetUp(QCommandLineParser *parser, const Command &command)
{
    parser->setApplicationDescription(QString::fromUtf8(command.description));
    for (const Argument &a : command.arguments)
        parser->addPositionalArgument(a.name, a.meaning, a.syntax);
    parser->addOptions(command.options);
    parser->addOption(HelpOption());
}

QString CommandHelp(const Command &command)
{
    QCommandLineParser parser;
    SetUp(&parser, command);
    return HelpText(parser, QStringLiteral("%1 %2").arg(QLatin1String(kProgram), QLatin1String(command.name)));
}

// The parser's help, then each command and exit status.
QString GeneralHelp()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Reads and writes the radio (model 6B05) and works on its data files without\n"
                           "the window. ChanNum and the band come from --settings FILE, else\n"
                           "./datafile/sysset.ini, else the per-user data folder's\n"
                           "(${XDG_DATA_HOME:-~/.local/share}/radiocps/datafile), else the installed one;\n"
                           "write and clone keep backups in ./backups/ in a run folder, else in the per-user\n"
                           "folder."));
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QStringLiteral("one of the commands below; 'radiocps-cli COMMAND --help' "
                                                "describes it"),
                                 QStringLiteral("COMMAND [ARGS]"));
    parser.addOption(HelpOption());
    parser.addOption({QStringLiteral("version"), QStringLiteral("show the version of the package")});
    QString text = HelpText(parser, QLatin1String(kProgram)) + QStringLiteral("\nCommands:\n");
    for (const Command &c : Commands())
        text += QStringLiteral("  %1 %2\n").arg(QString::fromLatin1(c.name).leftJustified(11), QLatin1String(c.summary));
    text += QStringLiteral("\nExit status:\n");
    for (const ExitMeaning &m : kExitMeanings)
        text += QStringLiteral("  %1%2\n")
                        .arg(QString::number(int(m.status)).leftJustified(4),
                             QString::fromUtf8(m.text).replace(QLatin1Char('\n'), QStringLiteral("\n      ")));
    return text;
}

// The parser's complaint as the tool words it, naming the argument as
// typed: "unknown option --bogus", "option --output needs a value".
QString UsageError(const QCommandLineParser &parser, const QStringList &args,
                   const QList<QCommandLineOption> &options)
{
    const auto find = [&options](const QString &name) -> const QCommandLineOption * {
        for (const QCommandLineOption &o : options)
            if (o.names().contains(name))
                return &o;
        return nullptr;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--"))
            break;
        if (arg.size() < 2 || !arg.startsWith(QLatin1Char('-')))
            continue;
        const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        const QCommandLineOption *option = find(name);
        const bool takesValue = option && !option->valueName().isEmpty();
        if (!option || (!takesValue && arg.contains(QLatin1Char('='))))
            return QStringLiteral("unknown option ") + arg;
        if (takesValue && !arg.contains(QLatin1Char('=')) && ++i == args.size())
            return QStringLiteral("option --%1 needs a value").arg(option->names().constLast());
    }
    return parser.errorText();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The link traces every frame on the debug channel; the tool stays quiet.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(GeneralHelp().toLocal8Bit().constData(), stderr);
        return int(Exit::Usage);
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--version")) {
        Out(QStringLiteral("%1 %2\n").arg(QLatin1String(kProgram), QStringLiteral(RADIOCPS_VERSION)));
        return int(Exit::Ok);
    }
    if (name == QLatin1String("-h") || name == QLatin1String("--help") || name == QLatin1String("help")) {
        const Command *topic = FindCommand(args.value(0));
        Out(topic ? CommandHelp(*topic) : GeneralHelp());
        return int(Exit::Ok);
    }
    const Command *command = FindCommand(name);
    if (!command) {
        Fail(name, QStringLiteral("unknown command (see radiocps-cli --help)"));
        return int(Exit::Usage);
    }

    QCommandLineParser parser;
    SetUp(&parser, *command);
    const bool parsed = parser.parse(QStringList(QLatin1String(kProgram)) + args);
    if (parser.isSet(HelpOption())) {
        Out(CommandHelp(*command));
        return int(Exit::Ok);
    }
    if (!parsed) {
        Fail(name, UsageError(parser, args, command->options)
                           + QStringLiteral(" (see radiocps-cli %1 --help)").arg(name));
        return int(Exit::Usage);
    }
    for (const QCommandLineOption &option : command->options) {
        if (option.names() == SettingsOption().names() && parser.isSet(option))
            UseSettingsFile(parser.value(option));
        if (option.names() == FastOption().names())
            UseFastLink(parser.isSet(option));
    }
    return int(command->run(parser));
}
