#include "commands.h"

#include "console.h"
#include "files.h"

#include "app/sysset.h"
#include "channels/csvplan.h"

#include <QCommandLineParser>

namespace {

Exit ExportCsv(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("output"))) {
        Fail(QStringLiteral("export-csv"), QStringLiteral("expects FILE.dat -o plan.csv"));
        return Exit::Usage;
    }
    const QString path = parser.positionalArguments().at(0);
    RadioData_S image{};
    if (!LoadImage(path, &image))
        return Exit::FileError;
    SysSet_S set;
    if (!LoadSettings(&set))
        return Exit::FileError;
    const PlanLimits limits = PlanLimitsOf(set);
    NoteChannelCut(path, image, limits.maxRows);
    return SaveText(parser.value(QStringLiteral("output")), ExportChannelPlan(image, limits)) ? Exit::Ok
                                                                                               : Exit::FileError;
}

} // namespace

Command ExportCsvCommand()
{
    return {"export-csv", "the channels as a CSV channel plan",
            "Writes the channels of FILE.dat (at most ChanNum) as a CSV plan with the\n"
            "columns Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,\n"
            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment.\n"
            "Busy lockout and PTT dialling are the words BCL and PTT-ID in Comment.\n"
            "A transmit frequency apart from receive is Duplex + or - with the offset\n"
            "in Offset when both lie in the band, else split with the transmit\n"
            "frequency in Offset; a transmit-only CTCSS tone is Tone with rToneFreq.",
            {{QStringLiteral("FILE.dat"), QStringLiteral("the data file whose channels are written"),
              QStringLiteral("FILE.dat -o plan.csv")}},
            {{{QStringLiteral("o"), QStringLiteral("output")},
              QStringLiteral("the CSV file to write (- for standard output)"), QStringLiteral("plan.csv")},
             SettingsOption()},
            ExportCsv};
}
