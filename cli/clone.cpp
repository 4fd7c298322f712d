// radiocps-cli clone: one data file to many radios, side by side on several
// ports (a thread each) or one after another on one port (--repeat), with
// the backup, write and verify of write.
#include "commands.h"

#include "console.h"
#include "files.h"
#include "radiolink.h"

#include "channels/csvplan.h"
#include "data/datafile.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// SIGINT or SIGTERM: the transfers under way finish, no radio is begun.
std::atomic<bool> g_stop{false};

void OnSignal(int)
{
    g_stop = true;
}

// Pause between looks at a port for a radio leaving or coming.
constexpr int kLookPauseMs = 300;

struct Outcome {
    QString port;
    int number = 0;
    QString model;     // "6B05"; empty when the radio never answered
    QString version;   // "V1.05"
    Exit status = Exit::Ok;
    double seconds = 0;
    QString backup;
};

// The session's status is its worst radio's: one that may differ from the
// file or hold part of it first, one that was not touched last.
int Severity(Exit status)
{
    const Exit order[] = {Exit::Ok, Exit::WrongModel, Exit::PortFail, Exit::FileError, Exit::NotVerified,
                          Exit::LinkFail, Exit::VerifyFail};
    for (int i = 0; i < int(std::size(order)); ++i)
        if (order[i] == status)
            return i;
    return int(std::size(order));
}

QString ResultText(Exit status)
{
    switch (status) {
    case Exit::Ok:
        return QStringLiteral("written and verified");
    case Exit::WrongModel:
        return QStringLiteral("wrong model, not written");
    case Exit::PortFail:
        return QStringLiteral("port failure");
    case Exit::FileError:
        return QStringLiteral("backup not saved, not written");
    case Exit::NotVerified:
        return QStringLiteral("written, not verified");
    case Exit::VerifyFail:
        return QStringLiteral("verify failure");
    default:
        return QStringLiteral("link failure");
    }
}

class Session
{
public:
    Session(const QString &path, const RadioData_S &expected, const QString &log, int count)
        : m_path(path), m_expected(expected), m_log(log), m_count(count)
    {
    }

    // On the port's own thread: one radio (the index-th port's), or with
    // repeat radio after radio until the count is reached or a signal comes.
    void Run(const QString &port, int index, bool repeat)
    {
        if (!repeat) {   // radio n on the n-th port
            Report(Program(port, index + 1));
            return;
        }
        bool first = true;
        while (!Over()) {
            // The radio done must leave before the next one counts.
            while (!first && !Over() && RadioAnswers(port))
                QThread::msleep(kLookPauseMs);
            first = false;
            while (!Over() && !RadioAnswers(port))
                QThread::msleep(kLookPauseMs);
            const int n = Over() ? 0 : Claim();
            if (n == 0)
                return;
            Report(Program(port, n));
        }
    }

    // The summary line; the worst radio's status, a link failure when none
    // was found.
    Exit Finish()
    {
        int ok = 0;
        Exit worst = m_outcomes.isEmpty() ? Exit::LinkFail : Exit::Ok;
        QList<Exit> failures;   // in the order they first came
        QMap<Exit, int> counts;
        QMap<Exit, QStringList> ports;
        for (const Outcome &o : m_outcomes) {
            if (Severity(o.status) > Severity(worst))
                worst = o.status;
            if (o.status == Exit::Ok) {
                ++ok;
                continue;
            }
            if (!failures.contains(o.status))
                failures << o.status;
            ++counts[o.status];
            if (!ports[o.status].contains(o.port))
                ports[o.status] << o.port;
        }
        QStringList parts;
        if (ok > 0)
            parts << QStringLiteral("%1 written and verified").arg(ok);
        for (Exit f : failures)
            parts << QStringLiteral("%1 %2 on %3")
                             .arg(counts[f])
                             .arg(ResultText(f), ports[f].join(QStringLiteral(", ")));
        if (m_outcomes.isEmpty())
            parts << QStringLiteral("no radio found");
        if (m_logLost) {
            parts << QStringLiteral("the log lacks rows");
            if (Severity(Exit::FileError) > Severity(worst))
                worst = Exit::FileError;
        }
        Out(QStringLiteral("%1 radio%2: %3\n")
                    .arg(m_outcomes.size())
                    .arg(m_outcomes.size() == 1 ? "" : "s", parts.join(QStringLiteral(", "))));
        return worst;
    }

private:
    bool Over() const { return g_stop || (m_count > 0 && m_next.load() >= m_count); }

    // The next number in the session; 0 once the count is reached.
    int Claim()
    {
        const int n = ++m_next;
        return m_count > 0 && n > m_count ? 0 : n;
    }

    // The steps of write: backup read (the model check), backup saved, write,
    // read back and compared.
    Outcome Program(const QString &port, int number)
    {
        Outcome o;
        o.port = port;
        o.number = number;
        QElapsedTimer time;
        time.start();
        RadioData_S backup{};
        o.status = ReadRadio(port, &backup, "backup",
                             QStringLiteral("radio %1: backup read, nothing written").arg(number));
        if (backup.Header.ModelLo || backup.Header.ModelHi) {
            o.model = QStringLiteral("%1").arg(backup.Header.ModelLo | (backup.Header.ModelHi << 8), 4, 16,
                                               QLatin1Char('0')).toUpper();
            o.version = HeaderVersionText(backup.Header);
        }
        if (o.status == Exit::Ok) {
            // /dev/ttyUSB1 as ttyUSB1, /dev/pts/3 as pts_3
            QString name = port.startsWith(QLatin1String("/dev/")) ? port.mid(5) : port;
            name.replace(QLatin1Char('/'), QLatin1Char('_'));
            o.backup = SaveBackup(backup, QStringLiteral("%1-%2").arg(name).arg(number));
            if (o.backup.isEmpty())
                o.status = Exit::FileError;
        }
        if (o.status == Exit::Ok) {
            RadioData_S sent = m_expected;
            o.status = WriteRadio(port, &sent, m_path, o.backup);
        }
        if (o.status == Exit::Ok)
            o.status = VerifyRadio(port, m_expected, QString(), true);
        o.seconds = time.elapsed() / 1000.0;
        return o;
    }

    // Its line on standard output and its row in the log, both flushed at once.
    void Report(const Outcome &o)
    {
        QMutexLocker lock(&m_mutex);
        m_outcomes << o;
        Out(QStringLiteral("radio %1 on %2: %3%4 in %5 s%6\n")
                    .arg(o.number)
                    .arg(o.port, o.version.isEmpty() ? QString() : o.version + QStringLiteral(", "),
                         ResultText(o.status), QString::number(o.seconds, 'f', 1),
                         o.backup.isEmpty() ? QString() : QStringLiteral(" (backup %1)").arg(o.backup)));
        std::fflush(stdout);
        if (!m_log.isEmpty() && !AppendLogRow(o)) {
            Fail(m_log, QStringLiteral("radio %1's row could not be written to the log").arg(o.number));
            m_logLost = true;
        }
    }

    // The row, flushed and synced: a crash or a power cut loses no finished
    // radio. A log the tool makes is the user's alone (it names ports and
    // backups) from its creation on.
    bool AppendLogRow(const Outcome &o)
    {
        const int fd = ::open(QFile::encodeName(m_log).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        QFile log;
        bool ok = log.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::DontCloseHandle);
        if (ok) {
            QByteArray rows;
            if (log.size() == 0)
                rows = CsvLine({"time", "port", "number", "model", "version", "result", "seconds", "backup"});
            rows += CsvLine({QDateTime::currentDateTime().toString(Qt::ISODate), o.port, QString::number(o.number),
                             o.model, o.version, ResultText(o.status), QString::number(o.seconds, 'f', 1), o.backup});
            ok = log.write(rows) == rows.size() && log.flush() && ::fsync(fd) == 0;
            log.close();
        }
        return ::close(fd) == 0 && ok;
    }

    const QString m_path;
    const RadioData_S m_expected;
    const QString m_log;
    const int m_count;   // 0: no limit
    std::atomic<int> m_next{0};
    bool m_logLost = false;   // a finished radio has no row
    QMutex m_mutex;
    QVector<Outcome> m_outcomes;
};

Exit Clone(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2) {
        Fail(QStringLiteral("clone"), QStringLiteral("expects FILE.dat PORT..."));
        return Exit::Usage;
    }
    const bool repeat = parser.isSet(QStringLiteral("repeat"));
    int count = 0;
    if (parser.isSet(QStringLiteral("count"))) {
        bool ok = false;
        count = parser.value(QStringLiteral("count")).toInt(&ok);
        if (!ok || count < 1 || !repeat) {
            Fail(QStringLiteral("clone"), QStringLiteral("--count needs --repeat and a number from 1"));
            return Exit::Usage;
        }
    }
    const QString path = args.first();
    const QStringList ports = args.mid(1);
    for (int i = 0; i < ports.size(); ++i)
        if (ports.indexOf(ports.at(i)) != i) {
            Fail(ports.at(i), QStringLiteral("named twice, no radio touched"));
            return Exit::Usage;
        }
    for (const QString &port : ports)
        if (!QFileInfo::exists(PortDevice(port))) {
            Fail(port, QStringLiteral("no such serial port, no radio touched"));
            return Exit::PortFail;
        }
    const QString log = parser.value(QStringLiteral("log"));
    QString why;
    if (!log.isEmpty() && !CanSaveTo(log, &why)) {
        Fail(log, QStringLiteral("the log cannot be written (%1), no radio touched").arg(why));
        return Exit::FileError;
    }
    RadioData_S expected{};
    if (!ImageToSend(path, false, &expected))
        return Exit::FileError;

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    ShowProgress(false);

    Session session(path, expected, log, count);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < ports.size(); ++i) {
        const QString port = ports.at(i);
        threads.emplace_back(QThread::create([&session, port, i, repeat] { session.Run(port, i, repeat); }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        thread->wait();
    return session.Finish();
}

} // namespace

Command CloneCommand()
{
    return {"clone", "write one data file to many radios, with a log",
            "Writes FILE.dat to the radios on the PORTs, each port on its own at the same\n"
            "time. Each radio is handled as write handles it: the connect and model check\n"
            "(another model is refused and not written), a backup read saved as\n"
            "backups/<port>-<n>-YYYYMMDD-HHMMSS.dat, the write and a read-back compared with\n"
            "the file. One line per radio as it finishes, then a summary. With --repeat a\n"
            "port takes radio after radio: once one is done the tool waits until it stops\n"
            "answering (off or unplugged), then until the next one answers; --count N ends\n"
            "after N radios in all, otherwise SIGINT (Ctrl+C) or SIGTERM ends the session\n"
            "once the transfers under way are done. The exit status is the worst radio's:\n"
            "4, 3, 8, 5, 1, then 2 (wrong model); 0 only when every radio was written and\n"
            "verified; 3 when no radio was found.",
            {{QStringLiteral("FILE.dat"), QStringLiteral("the data file to write to every radio")},
             {QStringLiteral("PORT"), QString::fromLatin1(kPortMeaning) + QStringLiteral("; one or more"),
              QStringLiteral("PORT...")}},
            {{QStringLiteral("repeat"), QStringLiteral("one radio after another on each port")},
             {QStringLiteral("count"), QStringLiteral("with --repeat: end after <n> radios in all"),
              QStringLiteral("n")},
             {QStringLiteral("log"),
              QStringLiteral("append one CSV row per radio (time, port, number, model, version, result, seconds, "
                             "backup) to <file>, flushed as each radio finishes"),
              QStringLiteral("file")},
             FastOption(), SettingsOption()},
            Clone};
}
