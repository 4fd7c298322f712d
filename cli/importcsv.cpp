#include "commands.h"

#include "console.h"
#include "files.h"

#include "app/sysset.h"
#include "channels/csvplan.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

Exit ImportCsv(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("into"))
        || !parser.isSet(QStringLiteral("output"))) {
        Fail(QStringLiteral("import-csv"), QStringLiteral("expects plan.csv --into BASE.dat -o NEW.dat"));
        return Exit::Usage;
    }
    const QString csvPath = parser.positionalArguments().at(0);
    const QString out = parser.value(QStringLiteral("output"));
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly)) {
        Fail(csvPath, QFileInfo::exists(csvPath) ? QStringLiteral("cannot read the file")
                                                 : QStringLiteral("no such file"));
        return Exit::FileError;
    }
    if (csv.size() > kMaxPlanFileBytes) {
        Fail(csvPath, QStringLiteral("cannot read the file: larger than 1 MiB, no channel plan"));
        return Exit::FileError;
    }
    const QByteArray text = csv.readAll();
    RadioData_S image{};
    if (!LoadImage(parser.value(QStringLiteral("into")), &image))
        return Exit::FileError;
    SysSet_S set;
    if (!LoadSettings(&set))
        return Exit::FileError;

    const PlanImport plan = ImportChannelPlan(text, PlanLimitsOf(set));
    if (!plan.error.isEmpty()) {
        Fail(plan.errorLine > 0 ? QStringLiteral("%1:%2").arg(csvPath).arg(plan.errorLine) : csvPath,
             plan.error + QStringLiteral("; nothing imported"));
        return Exit::FileError;
    }
    // Refusals and snap notes in line order.
    QVector<QPair<int, QString>> lines;
    for (const PlanRefusal &r : plan.refused)
        lines << qMakePair(r.line, QStringLiteral("row refused: ") + r.reason);
    for (const PlanSnap &n : plan.snapped)
        lines << qMakePair(n.line, QStringLiteral("note: ") + n.change);
    std::stable_sort(lines.begin(), lines.end(),
                     [](const QPair<int, QString> &x, const QPair<int, QString> &y) { return x.first < y.first; });
    for (const auto &line : lines)
        Fail(QStringLiteral("%1:%2").arg(csvPath).arg(line.first), line.second);

    // A file without channels would wipe the radio's channels when written.
    if (plan.channels.isEmpty()) {
        Fail(csvPath, (plan.refused.isEmpty() ? QStringLiteral("no channel rows")
                                              : QStringLiteral("no row imported (%1 refused)").arg(plan.refused.size()))
                     + QStringLiteral(", %1 not written").arg(out));
        return Exit::RowsRefused;
    }

    PutChannelPlan(&image, plan.channels);
    if (!SaveImage(out, image))
        return Exit::FileError;
    Out(QStringLiteral("Imported %1 channels from %2 into %3").arg(plan.channels.size()).arg(csvPath, out)
        + (plan.refused.isEmpty() ? QStringLiteral("\n")
                                  : QStringLiteral(" (%1 %2 refused)\n")
                                            .arg(plan.refused.size())
                                            .arg(plan.refused.size() == 1 ? "row" : "rows")));
    return plan.refused.isEmpty() ? Exit::Ok : Exit::RowsRefused;
}

} // namespace

Command ImportCsvCommand()
{
    return {"import-csv", "a CSV channel plan into a copy of BASE.dat",
            "Puts the rows of a CSV plan, in Location order, into channels 1.. of a\n"
            "copy of BASE.dat; settings, DTMF and FM come from BASE.dat unchanged.\n"
            "Frequencies are clamped and snapped like the channel cells; each one\n"
            "moved is noted by line with its value before and after. Rows the radio\n"
            "cannot hold (outside the band, unknown tone, Duplex off, more than\n"
            "ChanNum) are refused by line; the others are imported (exit 6). When no\n"
            "row is imported, NEW.dat is not written (exit 6).",
            {{QStringLiteral("plan.csv"), QStringLiteral("the CSV channel plan to import"),
              QStringLiteral("plan.csv --into BASE.dat -o NEW.dat")}},
            {{QStringLiteral("into"), QStringLiteral("the data file that supplies everything else"),
              QStringLiteral("BASE.dat")},
             {{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("the data file to write"),
              QStringLiteral("NEW.dat")},
             SettingsOption()},
            ImportCsv};
}
