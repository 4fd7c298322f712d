// radiocps-cli: headless read and write of the radio, dump, diff and CSV
// channel plans, on the same core as the desktop program. Works in the
// run folder: ./datafile/sysset.ini gives ChanNum and the band, backups go
// to ./backups/.
#include "clistatus.h"
#include "cliops.h"

#include "app/sysset.h"
#include "channels/csvplan.h"
#include "data/datafile.h"
#include "data/pagestore.h"
#include "link/serial.h"
#include "link/transfer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

const char kProgram[] = "radiocps-cli";
const char kBackupDir[] = "backups";

// --- output ------------------------------------------------------------------

void Out(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

void OutBytes(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

// One line on standard error: "radiocps-cli: <subject>: <message>".
void Fail(const QString &subject, const QString &message)
{
    const QString line = QStringLiteral("%1: %2: %3\n").arg(QLatin1String(kProgram), subject, message);
    std::fputs(line.toLocal8Bit().constData(), stderr);
}

void Note(const QString &subject, const QString &message)
{
    Fail(subject, QStringLiteral("note: ") + message);
}

// --- help --------------------------------------------------------------------

const char kGeneralHelp[] =
    "Usage: radiocps-cli COMMAND [ARGS] [OPTIONS]\n"
    "\n"
    "Reads and writes the radio (model 6B05) and works on its data files without\n"
    "the window. Run it in the run folder: ./datafile/sysset.ini gives ChanNum and\n"
    "the band; write keeps backups in ./backups/.\n"
    "\n"
    "Commands:\n"
    "  read PORT -o FILE.dat [--raw]   read the radio into a data file\n"
    "  write PORT FILE.dat             write a data file to the radio (backup, verify)\n"
    "  verify PORT FILE.dat            compare the radio with a data file\n"
    "  dump FILE.dat [--json]          every field of a data file\n"
    "  diff A.dat B.dat                the fields in which two data files differ\n"
    "  export-csv FILE.dat -o plan.csv the channels as a CSV channel plan\n"
    "  import-csv plan.csv --into BASE.dat -o NEW.dat\n"
    "                                  a CSV channel plan into a copy of BASE.dat\n"
    "  ports                           the serial ports present\n"
    "\n"
    "'radiocps-cli COMMAND --help' describes a command.\n"
    "\n"
    "Exit status:\n"
    "  0   success (diff: the files are equal)\n"
    "  1   the serial port could not be opened\n"
    "  2   the radio is not model 6B05\n"
    "  3   link failure: the radio did not answer properly\n"
    "  4   verify: the radio's memory differs from the file\n"
    "  5   a data, CSV or settings file could not be read or written\n"
    "  6   import-csv: rows were refused (the others were imported; when none\n"
    "      was, nothing was written)\n"
    "  7   diff: the files differ\n"
    "  8   write: written, but the read-back to verify it failed (not verified)\n"
    "  64  bad command line\n";

const QHash<QString, QString> &CommandHelp()
{
    static const QHash<QString, QString> help = {
        {QStringLiteral("read"),
         QStringLiteral("Usage: radiocps-cli read PORT -o FILE.dat [--raw]\n\n"
                        "Reads the radio's memory on PORT (a name from 'ports' or a device path)\n"
                        "and saves it as the window would after a read and a save: each page's\n"
                        "bytes decoded and stored again, bytes no page owns 0xFF, at most ChanNum\n"
                        "channels.\n\n"
                        "Options:\n"
                        "  -o, --output FILE.dat  the data file to write (replaced atomically)\n"
                        "  --raw                  save the memory exactly as read, as a backup holds\n"
                        "                         it: the header the radio sent and every byte of\n"
                        "                         0x0080..0x023F, bytes no page uses included (needs\n"
                        "                         no settings file)\n")},
        {QStringLiteral("write"),
         QStringLiteral("Usage: radiocps-cli write PORT FILE.dat [--no-backup] [--no-verify] [--raw]\n\n"
                        "Writes FILE.dat to the radio on PORT as the window would after opening it.\n"
                        "First the radio's memory is read and saved as\n"
                        "./backups/radio-YYYYMMDD-HHMMSS.dat; afterwards it is read back and\n"
                        "compared, and the first differing radio address is reported.\n"
                        "Exit status 3 when the write fails (the radio may then hold part of the\n"
                        "file; write the backup with --raw to put back what it held), 8 when the\n"
                        "write succeeded but the read-back failed (written, not verified).\n\n"
                        "Options:\n"
                        "  --no-backup  do not read and save the radio's memory first\n"
                        "  --no-verify  do not read back and compare\n"
                        "  --raw        send the file's memory window byte for byte, as a backup\n"
                        "               holds it, instead of what the window would send\n")},
        {QStringLiteral("verify"),
         QStringLiteral("Usage: radiocps-cli verify PORT FILE.dat [--raw]\n\n"
                        "Reads the radio on PORT and compares its memory (0x0080..0x023F) with\n"
                        "what write would send for FILE.dat; reports the first differing radio\n"
                        "address. Exit status 4 on a difference.\n\n"
                        "Options:\n"
                        "  --raw  compare with the file's memory window byte for byte\n")},
        {QStringLiteral("dump"),
         QStringLiteral("Usage: radiocps-cli dump FILE.dat [--json]\n\n"
                        "Lists every field of a data file as the pages decode it: version,\n"
                        "channels (count, scan mask, frequencies, bandwidth, power, scan, tones,\n"
                        "busy lockout, PTT dialling), settings, DTMF codes and options, FM\n"
                        "presets with their mask and start channel. Channels are the records in\n"
                        "use (ChanCount, at most 22).\n\n"
                        "Options:\n"
                        "  --json  one JSON document instead of text\n")},
        {QStringLiteral("diff"),
         QStringLiteral("Usage: radiocps-cli diff A.dat B.dat\n\n"
                        "Lists the fields in which the two data files differ, one per line as\n"
                        "'name: A -> B', then the radio addresses of differing bytes that no\n"
                        "listed field explains. Exit status 0 when equal, 7 when they differ.\n")},
        {QStringLiteral("export-csv"),
         QStringLiteral("Usage: radiocps-cli export-csv FILE.dat -o plan.csv\n\n"
                        "Writes the channels of FILE.dat (at most ChanNum) as a CSV plan with the\n"
                        "columns Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,\n"
                        "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment.\n"
                        "Busy lockout and PTT dialling are the words BCL and PTT-ID in Comment.\n\n"
                        "Options:\n"
                        "  -o, --output plan.csv  the CSV file to write (- for standard output)\n")},
        {QStringLiteral("import-csv"),
         QStringLiteral("Usage: radiocps-cli import-csv plan.csv --into BASE.dat -o NEW.dat\n\n"
                        "Puts the rows of a CSV plan, in Location order, into channels 1.. of a\n"
                        "copy of BASE.dat; settings, DTMF and FM come from BASE.dat unchanged.\n"
                        "Frequencies are clamped and snapped like the channel cells; each one\n"
                        "moved is noted by line with its value before and after. Rows the radio\n"
                        "cannot hold (outside the band, unknown tone, Duplex off, more than\n"
                        "ChanNum) are refused by line; the others are imported (exit 6). When no\n"
                        "row is imported, NEW.dat is not written (exit 6).\n\n"
                        "Options:\n"
                        "  --into BASE.dat        the data file that supplies everything else\n"
                        "  -o, --output NEW.dat   the data file to write\n")},
        {QStringLiteral("ports"),
         QStringLiteral("Usage: radiocps-cli ports\n\nLists the serial ports present, one per line.\n")},
    };
    return help;
}

// --- command line ------------------------------------------------------------

struct Args {
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    bool help = false;
    QString error;
};

// valueOptions: canonical long names taking a value ("--output"); "-o" is
// "--output". flagOptions: long names without a value.
Args ParseArgs(const QStringList &in, const QStringList &valueOptions, const QStringList &flagOptions)
{
    Args a;
    bool optionsDone = false;
    for (int i = 0; i < in.size(); ++i) {
        QString arg = in.at(i);
        if (optionsDone || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            a.positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsDone = true;
            continue;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            a.help = true;
            continue;
        }
        QString value;
        bool hasValue = false;
        const int eq = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            hasValue = true;
        }
        if (arg == QLatin1String("-o"))
            arg = QStringLiteral("--output");
        if (valueOptions.contains(arg)) {
            if (!hasValue) {
                if (i + 1 >= in.size()) {
                    a.error = QStringLiteral("option %1 needs a value").arg(arg);
                    return a;
                }
                value = in.at(++i);
            }
            a.values.insert(arg, value);
        } else if (flagOptions.contains(arg) && !hasValue) {
            a.flags.insert(arg);
        } else {
            a.error = QStringLiteral("unknown option %1").arg(in.at(i));
            return a;
        }
    }
    return a;
}

// --- files -------------------------------------------------------------------

bool LoadImage(const QString &path, RadioData_S *image)
{
    switch (LoadRadioDataFile(path, kModelWord, image)) {
    case DataFileError::None:
        return true;
    case DataFileError::WrongSize:
        Fail(path, QStringLiteral("not a data file (must be exactly %1 bytes)").arg(kImageSize));
        return false;
    default:
        Fail(path, QFileInfo::exists(path) ? QStringLiteral("cannot open for reading and writing")
                                           : QStringLiteral("no such file"));
        return false;
    }
}

bool SaveImage(const QString &path, const RadioData_S &image)
{
    if (SaveRadioDataFile(path, image) == DataFileError::None)
        return true;
    Fail(path, QStringLiteral("cannot write the data file"));
    return false;
}

bool SaveText(const QString &path, const QByteArray &bytes)
{
    if (path == QLatin1String("-")) {
        OutBytes(bytes);
        return true;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    Fail(path, QStringLiteral("cannot write the file"));
    return false;
}

// The settings file of the run folder; without it the channel count would
// silently be 0, so it must be there.
bool LoadSettings(SysSet_S *set)
{
    const QFileInfo info(QString::fromLatin1(kSysSetFile));
    if (!info.isFile() || !info.isReadable()) {
        Fail(QString::fromLatin1(kSysSetFile),
             QStringLiteral("settings file not found (run radiocps-cli in the run folder)"));
        return false;
    }
    ReadSysSetFile(QString::fromLatin1(kSysSetFile), set);
    return true;
}

void NoteChannelCut(const QString &subject, const RadioData_S &image, int chanNum)
{
    const int count = std::min<int>(ChanCountRead(image), kMaxChannels);
    if (count > chanNum)
        Note(subject, QStringLiteral("%1 channels in use, ChanNum %2 keeps the first %2").arg(count).arg(chanNum));
}

// --- link --------------------------------------------------------------------

// Shows progress on standard error when it is a terminal; keeps the last
// value either way (0: the handshake was not confirmed).
class Progress
{
public:
    explicit Progress(const char *phase) : m_phase(phase), m_shown(isatty(STDERR_FILENO) == 1) {}
    ~Progress()
    {
        if (m_shown && m_last > 0)
            std::fputs("\n", stderr);
    }
    PcCpProgressFunc callback()
    {
        return [this](int value) {
            m_last = value;
            if (!m_shown)
                return;
            std::fprintf(stderr, "\r%-10s %3d%%", m_phase, value);
            std::fflush(stderr);
        };
    }
    int last() const { return m_last; }

private:
    const char *m_phase;
    bool m_shown;
    int m_last = 0;
};

// tail: appended to the message of a link failure.
int LinkStatus(const QString &port, int result, const QString &what, const QString &tail = QString())
{
    switch (result) {
    case PCCPOP_OK:
        return CliOk;
    case PCCPOP_PORT_FAIL:
        Fail(port, what + QStringLiteral(": the serial port could not be opened"));
        return CliPortFail;
    case PCCPOP_WRONG_MODEL:
        Fail(port, what + QStringLiteral(": the radio is not model %1").arg(QString::number(kModelWord, 16).toUpper()));
        return CliWrongModel;
    default:
        Fail(port, what + QStringLiteral(": no proper answer from the radio (check the cable and that it is on)")
                           + tail);
        return CliLinkFail;
    }
}

int ReadRadio(const QString &port, RadioData_S *image, const char *phase, const QString &what)
{
    Read_Write_Port = port;
    Progress progress(phase);
    Serial serial(nullptr, SERIALLINE_NORMAL);
    const int result = PcCpReadSequence(&serial, image, progress.callback());
    return LinkStatus(port, result, what);
}

// A link failure after the handshake may leave part of the file in the
// radio; the message says so and names the backup that restores it.
int WriteRadio(const QString &port, RadioData_S *image, const QString &path, const QString &backupPath)
{
    Read_Write_Port = port;
    Progress progress("writing");
    Serial serial(nullptr, SERIALLINE_NORMAL);
    const int result = PcCpWriteSequence(&serial, image, kModelWord, progress.callback());
    QString tail;
    if (progress.last() > 0) {
        tail = QStringLiteral("; the radio may hold part of %1").arg(path);
        if (!backupPath.isEmpty())
            tail += QStringLiteral(" (write %1 --raw puts back what it held)").arg(backupPath);
    }
    return LinkStatus(port, result, QStringLiteral("write"), tail);
}

int Compare(const QString &port, const RadioData_S &radio, const RadioData_S &expected)
{
    const int offset = FirstWindowDifference(radio, expected);
    if (offset < 0)
        return CliOk;
    Fail(port, QString::asprintf("verify failed: radio address 0x%04X holds %02X, expected %02X (%s)",
                                 OffsetToRadioAddr(offset), radio.at(offset), expected.at(offset),
                                 qPrintable(ByteOwner(offset))));
    return CliVerifyFail;
}

QString BackupPath()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QStringLiteral("%1/radio-%2.dat").arg(QLatin1String(kBackupDir), stamp);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1/radio-%2-%3.dat").arg(QLatin1String(kBackupDir), stamp).arg(n);
    return path;
}

// --- commands ----------------------------------------------------------------

// Reads the radio back and compares its window with expected; prints
// okMessage when they agree. After a write, a failed read-back is its own
// status: the write went through, only its check did not.
int Verify(const QString &port, const RadioData_S &expected, const QString &okMessage, bool afterWrite)
{
    RadioData_S radio{};
    int status = ReadRadio(port, &radio, "verifying",
                           afterWrite ? QStringLiteral("written, not verified: verify read")
                                      : QStringLiteral("verify read"));
    if (status != CliOk)
        return afterWrite ? CliNotVerified : status;
    status = Compare(port, radio, expected);
    if (status == CliOk)
        Out(okMessage);
    return status;
}

// What a write sends for a data file: the file as the window would write it
// after opening it, or the file byte for byte with --raw.
bool ImageToSend(const Args &a, const QString &path, RadioData_S *image)
{
    RadioData_S file{};
    SysSet_S set;
    if (!LoadImage(path, &file) || !LoadSettings(&set))
        return false;
    if (a.flags.contains(QStringLiteral("--raw"))) {
        *image = file;
        return true;
    }
    const int chanNum = SysSetInt(set.ChanNum);
    NoteChannelCut(path, file, chanNum);
    *image = NormaliseImage(file, chanNum);
    return true;
}

// Without --raw the image the window would save; with it the radio's bytes
// as read, as a backup holds them.
int CmdRead(const Args &a)
{
    if (a.positional.size() != 1 || !a.values.contains(QStringLiteral("--output"))) {
        Fail(QStringLiteral("read"), QStringLiteral("expects PORT -o FILE.dat"));
        return CliUsage;
    }
    const QString port = a.positional.at(0);
    const QString out = a.values.value(QStringLiteral("--output"));
    const bool raw = a.flags.contains(QStringLiteral("--raw"));
    SysSet_S set;
    if (!raw && !LoadSettings(&set))
        return CliFileError;

    RadioData_S radio{};
    const int status = ReadRadio(port, &radio, "reading", QStringLiteral("read"));
    if (status != CliOk)
        return status;
    if (!raw)
        NoteChannelCut(port, radio, SysSetInt(set.ChanNum));
    if (!SaveImage(out, raw ? radio : NormaliseImage(radio, SysSetInt(set.ChanNum))))
        return CliFileError;
    Out(QStringLiteral("Read radio %1 on %2 into %3\n").arg(HeaderVersionText(radio.Header), port, out));
    return CliOk;
}

int CmdWrite(const Args &a)
{
    if (a.positional.size() != 2) {
        Fail(QStringLiteral("write"), QStringLiteral("expects PORT FILE.dat"));
        return CliUsage;
    }
    const QString port = a.positional.at(0);
    const QString path = a.positional.at(1);
    RadioData_S expected{};
    if (!ImageToSend(a, path, &expected))
        return CliFileError;

    QString backupPath;
    if (!a.flags.contains(QStringLiteral("--no-backup"))) {
        RadioData_S backup{};
        const int status = ReadRadio(port, &backup, "backup", QStringLiteral("backup read, nothing written"));
        if (status != CliOk)
            return status;
        if (!QDir().mkpath(QString::fromLatin1(kBackupDir))) {
            Fail(QString::fromLatin1(kBackupDir), QStringLiteral("cannot create the backup folder, nothing written"));
            return CliFileError;
        }
        backupPath = BackupPath();
        if (!SaveImage(backupPath, backup))
            return CliFileError;
        Out(QStringLiteral("Backup of the radio saved as %1\n").arg(backupPath));
    }

    RadioData_S sent = expected;
    int status = WriteRadio(port, &sent, path, backupPath);
    if (status != CliOk)
        return status;

    if (a.flags.contains(QStringLiteral("--no-verify"))) {
        Out(QStringLiteral("Wrote %1 to %2 (not verified)\n").arg(path, port));
        return CliOk;
    }
    return Verify(port, expected, QStringLiteral("Wrote %1 to %2 and verified it\n").arg(path, port), true);
}

int CmdVerify(const Args &a)
{
    if (a.positional.size() != 2) {
        Fail(QStringLiteral("verify"), QStringLiteral("expects PORT FILE.dat"));
        return CliUsage;
    }
    const QString port = a.positional.at(0);
    const QString path = a.positional.at(1);
    RadioData_S expected{};
    if (!ImageToSend(a, path, &expected))
        return CliFileError;
    return Verify(port, expected, QStringLiteral("The radio on %1 holds %2\n").arg(port, path), false);
}

int CmdDump(const Args &a)
{
    if (a.positional.size() != 1) {
        Fail(QStringLiteral("dump"), QStringLiteral("expects FILE.dat"));
        return CliUsage;
    }
    RadioData_S image{};
    if (!LoadImage(a.positional.at(0), &image))
        return CliFileError;
    if (a.flags.contains(QStringLiteral("--json")))
        OutBytes(DumpJson(image));
    else
        Out(DumpText(image));
    return CliOk;
}

int CmdDiff(const Args &a)
{
    if (a.positional.size() != 2) {
        Fail(QStringLiteral("diff"), QStringLiteral("expects A.dat B.dat"));
        return CliUsage;
    }
    RadioData_S x{}, y{};
    if (!LoadImage(a.positional.at(0), &x) || !LoadImage(a.positional.at(1), &y))
        return CliFileError;
    const QStringList lines = DiffImages(x, y);
    for (const QString &line : lines)
        Out(line + QLatin1Char('\n'));
    return lines.isEmpty() ? CliOk : CliDiffers;
}

int CmdExportCsv(const Args &a)
{
    if (a.positional.size() != 1 || !a.values.contains(QStringLiteral("--output"))) {
        Fail(QStringLiteral("export-csv"), QStringLiteral("expects FILE.dat -o plan.csv"));
        return CliUsage;
    }
    const QString path = a.positional.at(0);
    RadioData_S image{};
    if (!LoadImage(path, &image))
        return CliFileError;
    SysSet_S set;
    if (!LoadSettings(&set))
        return CliFileError;
    const int chanNum = SysSetInt(set.ChanNum);
    NoteChannelCut(path, image, chanNum);
    return SaveText(a.values.value(QStringLiteral("--output")), ExportChannelPlan(image, chanNum)) ? CliOk
                                                                                                : CliFileError;
}

int CmdImportCsv(const Args &a)
{
    if (a.positional.size() != 1 || !a.values.contains(QStringLiteral("--into"))
        || !a.values.contains(QStringLiteral("--output"))) {
        Fail(QStringLiteral("import-csv"), QStringLiteral("expects plan.csv --into BASE.dat -o NEW.dat"));
        return CliUsage;
    }
    const QString csvPath = a.positional.at(0);
    const QString out = a.values.value(QStringLiteral("--output"));
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly)) {
        Fail(csvPath, QFileInfo::exists(csvPath) ? QStringLiteral("cannot read the file")
                                                 : QStringLiteral("no such file"));
        return CliFileError;
    }
    const QByteArray text = csv.readAll();
    RadioData_S image{};
    if (!LoadImage(a.values.value(QStringLiteral("--into")), &image))
        return CliFileError;
    SysSet_S set;
    if (!LoadSettings(&set))
        return CliFileError;

    PlanLimits limits;
    limits.maxRows = SysSetInt(set.ChanNum);
    limits.bandStartHz = BandEdgeHz(SysSetInt(set.StartBand));
    limits.bandEndHz = BandEdgeHz(SysSetInt(set.EndBand));
    const PlanImport plan = ImportChannelPlan(text, limits);
    if (!plan.error.isEmpty()) {
        Fail(plan.errorLine > 0 ? QStringLiteral("%1:%2").arg(csvPath).arg(plan.errorLine) : csvPath,
             plan.error + QStringLiteral("; nothing imported"));
        return CliFileError;
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
        return CliRowsRefused;
    }

    PutChannelPlan(&image, plan.channels);
    if (!SaveImage(out, image))
        return CliFileError;
    Out(QStringLiteral("Imported %1 channels from %2 into %3").arg(plan.channels.size()).arg(csvPath, out)
        + (plan.refused.isEmpty() ? QStringLiteral("\n")
                                  : QStringLiteral(" (%1 %2 refused)\n")
                                            .arg(plan.refused.size())
                                            .arg(plan.refused.size() == 1 ? "row" : "rows")));
    return plan.refused.isEmpty() ? CliOk : CliRowsRefused;
}

int CmdPorts(const Args &a)
{
    if (!a.positional.isEmpty()) {
        Fail(QStringLiteral("ports"), QStringLiteral("takes no arguments"));
        return CliUsage;
    }
    Serial serial(nullptr, SERIALLINE_NORMAL);
    for (const QString &name : serial.check_serial_ports())
        Out(name + QLatin1Char('\n'));
    return CliOk;
}

struct Command {
    const char *name;
    int (*run)(const Args &);
    QStringList valueOptions;
    QStringList flagOptions;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The link traces every frame on the debug channel; the tool stays quiet.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    const QVector<Command> commands = {
        {"read", CmdRead, {QStringLiteral("--output")}, {QStringLiteral("--raw")}},
        {"write", CmdWrite, {},
         {QStringLiteral("--no-verify"), QStringLiteral("--no-backup"), QStringLiteral("--raw")}},
        {"verify", CmdVerify, {}, {QStringLiteral("--raw")}},
        {"dump", CmdDump, {}, {QStringLiteral("--json")}},
        {"diff", CmdDiff, {}, {}},
        {"export-csv", CmdExportCsv, {QStringLiteral("--output")}, {}},
        {"import-csv", CmdImportCsv, {QStringLiteral("--into"), QStringLiteral("--output")}, {}},
        {"ports", CmdPorts, {}, {}},
    };

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(kGeneralHelp, stderr);
        return CliUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("-h") || name == QLatin1String("--help") || name == QLatin1String("help")) {
        const QString topic = args.value(0);
        if (CommandHelp().contains(topic))
            Out(CommandHelp().value(topic));
        else
            std::fputs(kGeneralHelp, stdout);
        return CliOk;
    }
    for (const Command &c : commands) {
        if (name != QLatin1String(c.name))
            continue;
        const Args a = ParseArgs(args, c.valueOptions, c.flagOptions);
        if (a.help) {
            Out(CommandHelp().value(name));
            return CliOk;
        }
        if (!a.error.isEmpty()) {
            Fail(name, a.error + QStringLiteral(" (see radiocps-cli %1 --help)").arg(name));
            return CliUsage;
        }
        return c.run(a);
    }
    Fail(name, QStringLiteral("unknown command (see radiocps-cli --help)"));
    return CliUsage;
}
