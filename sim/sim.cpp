// radiocps-sim: an emulated radio on a pseudo-terminal.
//
// Opens a pseudo-terminal, prints the path of its port on stdout and answers
// the programming protocol from a 452-byte image (the layout of a data file):
//   request  FE A5 cmd a1 a2 N data(N) FD FD
//   confirm  FE A5 cmd+1 05 6B L data(L) FD
//   E0 connect (a1 a2 = 05 6B)   -> E1 with model lo, model hi, version major, minor
//   E2 read block (address hi lo) -> E3 with the 16 bytes of the block
//   E4 write block + 16 bytes     -> E5
//   E6 end (a1 a2 = 05 6B)        -> E7
// Block addresses run 0x0080..0x0230 in steps of 16; image offset = address - 0x7C.
// The frame layout and constants are written out here again on purpose,
// not taken from the link code: the emulator is an independent check of
// it, and a mistake shared by both would otherwise go unnoticed.
// Other frames are logged on stderr and left unanswered, and so is every
// request while the port is not set as the radio's line is: 9600 baud, 8 data
// bits, no parity, 1 stop bit, no flow control (a pseudo-terminal carries
// bytes at any setting; a radio hears nothing at another).
// Replies are scheduled, not slept on: a request that arrives while an
// earlier answer is still delayed is answered its delay after it arrived.
// Replies still go out one after the other, as from one transmitter.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kImageSize = 452;
constexpr int kHeaderSize = 4;
constexpr int kBlockSize = 16;
constexpr int kWindowBase = 0x0080;
constexpr int kWindowLast = 0x0230;       // address of the last block
constexpr int kAddrToOffset = 0x7C;
constexpr long kByteNs = 1000000000L * 10 / 9600;   // 8N1: 10 bits per byte
constexpr int kStaleFrameMs = 50;         // an unfinished request older than this is dropped

using Bytes = std::vector<uint8_t>;

volatile sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

struct Options {
    QString imagePath;
    QString savePath;
    QString linkPath;
    int model = 0x6B05;
    int verMajor = 1;
    int verMinor = 5;
    bool silent = false;
    bool echo = false;
    bool pace = false;
    bool trace = false;
    int badAddrFrom = 0;      // exchange number from which bytes 3..4 are 6B 05; 0: never
    int garble = 0;           // number of first replies garbled (counted within the exchange range)
    int splitAfter = 0;       // bytes in the first burst; 0: no split
    int splitGapMs = 200;
    int delayMs = 0;
    int shortBlock = -1;      // data bytes of a block read confirm; -1: 16
    int hangupAfter = 0;      // block exchanges answered before hanging up; 0: never
    int alterOffset = -1;     // image offset reported with alterValue in block reads
    int alterValue = 0;
    int firstFaulty = 1;      // exchanges firstFaulty..lastFaulty misbehave; lastFaulty 0: to the end
    int lastFaulty = 0;
    int strayExchange = 0;    // exchange after whose request one stray byte comes; 0: none
    int strayMs = 0;
    int repeatExchange = 0;   // exchange whose reply comes again; 0: none
    int repeatMs = 0;         // after the end of the reply
    int rowRadios = 1;        // radios on the port one after another
    int rowGapMs = 2000;      // quiet between two of them
    int rowEveryMs = 0;       // a radio leaves this long after it came; 0: after its checked write
    int rowStayMs = 0;        // it answers this long after its checked write
    int rowFaulty = 0;        // the radio the faults apply to; 0: every one
    QMap<int, int> rowModels; // radio -> model word other than model
};

// Bytes due on the line at one time; bursts go out in order of due time.
struct Burst {
    long long dueNs;
    long long seq;
    Bytes bytes;
};

struct State {
    Options opt;
    uint8_t image[kImageSize];
    uint8_t initial[kImageSize];   // each radio of a row starts with it
    int radio = 1;            // of the row, from 1
    int model = 0x6B05;       // this radio's
    int verMinor = 5;
    long long arrivedNs = 0;
    long long awayUntilNs = 0; // when set: quiet until then (forever after the last radio)
    long long leaveAtNs = 0;  // when set: the radio leaves then
    int writesSinceConnect = 0;
    int readsSinceConnect = 0;
    bool written = false;     // a complete write ended: the read that checks it ends its turn
    int master = -1;
    int slave = -1;
    int exchanges = 0;        // request frames answered or ignored, from 1
    int garbled = 0;          // replies garbled so far
    int blocks = 0;           // block exchanges answered
    long long hangupNs = 0;   // when set: hang up at the next request, or at this time
    std::vector<Burst> out;   // bursts not yet sent
    long long seq = 0;
    long long replyEndNs = 0; // when the last scheduled reply is through
};

long long NowNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Sleeps until the monotonic time `ns`; false when asked to stop.
bool SleepUntil(long long ns)
{
    timespec ts;
    ts.tv_sec = static_cast<time_t>(ns / 1000000000LL);
    ts.tv_nsec = static_cast<long>(ns % 1000000000LL);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR)
        if (g_stop)
            return false;
    return !g_stop;
}

QString Hex(const Bytes &bytes)
{
    QString text;
    for (uint8_t b : bytes)
        text += QString::asprintf("%02X", b);
    return text;
}

void Trace(const State &st, const char *what, const Bytes &bytes)
{
    if (st.opt.trace) {
        std::fprintf(stderr, "%s %s\n", what, qPrintable(Hex(bytes)));
        std::fflush(stderr);
    }
}

bool LoadImage(const QString &path, uint8_t *image)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "radiocps-sim: cannot open image %s: %s\n", qPrintable(path),
                     qPrintable(f.errorString()));
        return false;
    }
    const QByteArray data = f.readAll();
    if (data.size() != kImageSize) {
        std::fprintf(stderr, "radiocps-sim: image %s has %d bytes, expected %d\n", qPrintable(path),
                     static_cast<int>(data.size()), kImageSize);
        return false;
    }
    std::memcpy(image, data.constData(), kImageSize);
    return true;
}

// The saved header is the handshake data, as a read from this radio gives it.
// In a row, radio k saves to <file>-k<.ext>.
void SaveImage(State &st)
{
    if (st.opt.savePath.isEmpty())
        return;
    st.image[0] = static_cast<uint8_t>(st.model & 0xFF);
    st.image[1] = static_cast<uint8_t>(st.model >> 8);
    st.image[2] = static_cast<uint8_t>(st.opt.verMajor);
    st.image[3] = static_cast<uint8_t>(st.verMinor);
    QString path = st.opt.savePath;
    if (st.opt.rowRadios > 1) {
        const QFileInfo info(path);
        path = info.path() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral("-%1").arg(st.radio)
                + (info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix());
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || f.write(reinterpret_cast<const char *>(st.image), kImageSize) != kImageSize)
        std::fprintf(stderr, "radiocps-sim: cannot save image %s: %s\n", qPrintable(path),
                     qPrintable(f.errorString()));
}

// Writes bytes to the master side; waits at most 100 ms for room.
void WriteAll(State &st, const uint8_t *data, size_t len)
{
    while (len > 0 && !g_stop) {
        const ssize_t n = ::write(st.master, data, len);
        if (n > 0) {
            data += n;
            len -= static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd pfd{st.master, POLLOUT, 0};
            if (poll(&pfd, 1, 100) > 0)
                continue;
        }
        std::fprintf(stderr, "radiocps-sim: write to the port failed, %zu bytes dropped: %s\n", len,
                     n < 0 ? std::strerror(errno) : "no room in 100 ms");
        return;
    }
}

void Schedule(State &st, long long dueNs, Bytes bytes)
{
    st.out.push_back(Burst{dueNs, st.seq++, std::move(bytes)});
}

// Schedules a reply as the line would carry it: after the delay, optionally
// in two bursts (delay and bursts only in a faulty exchange).
void Send(State &st, const Bytes &reply, long long readyNs, bool faulty)
{
    const size_t splitAfter = faulty ? static_cast<size_t>(st.opt.splitAfter) : 0;
    const long long wireNs = st.opt.pace ? kByteNs : 0;
    long long due = std::max(st.replyEndNs,
                             readyNs + (faulty ? static_cast<long long>(st.opt.delayMs) * 1000000LL : 0));
    if (splitAfter == 0 || splitAfter >= reply.size()) {
        Schedule(st, due, reply);
        st.replyEndNs = due + static_cast<long long>(reply.size()) * wireNs;
        return;
    }
    Schedule(st, due, Bytes(reply.begin(), reply.begin() + static_cast<long>(splitAfter)));
    due += static_cast<long long>(splitAfter) * wireNs + static_cast<long long>(st.opt.splitGapMs) * 1000000LL;
    Schedule(st, due, Bytes(reply.begin() + static_cast<long>(splitAfter), reply.end()));
    st.replyEndNs = due + static_cast<long long>(reply.size() - splitAfter) * wireNs;
}

// The burst due first, or none.
Burst *NextBurst(State &st)
{
    Burst *next = nullptr;
    for (Burst &b : st.out)
        if (!next || b.dueNs < next->dueNs || (b.dueNs == next->dueNs && b.seq < next->seq))
            next = &b;
    return next;
}

// Sends every burst that is due, optionally one byte per 1/960 s.
void SendDue(State &st)
{
    for (Burst *b = NextBurst(st); b && b->dueNs <= NowNs() && !g_stop; b = NextBurst(st)) {
        const Bytes bytes = std::move(b->bytes);
        st.out.erase(st.out.begin() + (b - st.out.data()));
        if (!st.opt.pace) {
            WriteAll(st, bytes.data(), bytes.size());
            continue;
        }
        long long t = NowNs();
        for (uint8_t byte : bytes) {
            if (!SleepUntil(t))
                return;
            WriteAll(st, &byte, 1);
            t += kByteNs;
        }
    }
}

Bytes Confirm(uint8_t cmd, const Bytes &data)
{
    Bytes f = {0xFE, 0xA5, cmd, 0x05, 0x6B, static_cast<uint8_t>(data.size())};
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(0xFD);
    return f;
}

bool ModelAddress(const Bytes &req)
{
    return req[3] == 0x05 && req[4] == 0x6B;
}

// Image offset of the block a request names, or -1.
int BlockOffset(const Bytes &req)
{
    const int addr = (req[3] << 8) | req[4];
    if (addr < kWindowBase || addr > kWindowLast || (addr - kWindowBase) % kBlockSize)
        return -1;
    return addr - kAddrToOffset;
}

// The line drops: the port disappears under the tool.
void HangUp(State &st)
{
    std::fprintf(stderr, "radiocps-sim: hanging up after block %d\n", st.blocks);
    // The link goes first: the system may give the freed port's name to
    // another emulator at once.
    if (!st.opt.linkPath.isEmpty())
        ::unlink(qPrintable(st.opt.linkPath));
    ::close(st.master);
    ::close(st.slave);
    st.master = st.slave = -1;
    st.out.clear();
    g_stop = 1;
}

// What differs from the radio's line in the port's settings; empty: nothing.
// A Linux pseudo-terminal keeps speed, stop bits and flow control as set, but
// forces 8 data bits without parity.
QString LineFault(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return QStringLiteral("unreadable (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    const struct { speed_t code; int baud; } speeds[] = {
        {B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    QStringList wrong;
    for (speed_t speed : {cfgetospeed(&t), cfgetispeed(&t)}) {
        if (speed == B9600)
            continue;
        QString baud = QStringLiteral("speed code %1").arg(speed);
        for (const auto &known : speeds)
            if (known.code == speed)
                baud = QStringLiteral("%1 baud").arg(known.baud);
        wrong << baud;
    }
    const tcflag_t size = t.c_cflag & CSIZE;
    if (size != CS8)
        wrong << QStringLiteral("%1 data bits").arg(size == CS5 ? 5 : size == CS6 ? 6 : 7);
    if (t.c_cflag & PARENB)
        wrong << QString::fromLatin1(t.c_cflag & PARODD ? "odd parity" : "even parity");
    if (t.c_cflag & CSTOPB)
        wrong << QStringLiteral("2 stop bits");
    if (t.c_cflag & CRTSCTS)
        wrong << QStringLiteral("RTS/CTS flow control");
    if (t.c_iflag & (IXON | IXOFF))
        wrong << QStringLiteral("XON/XOFF flow control");
    wrong.removeDuplicates();
    return wrong.join(QStringLiteral(", "));
}

// A radio of the row, as it is switched on.
void Arrive(State &st, int radio, long long nowNs)
{
    st.radio = radio;
    st.model = st.opt.rowModels.value(radio, st.opt.model);
    st.verMinor = std::min(st.opt.verMinor + radio - 1, 255);
    std::memcpy(st.image, st.initial, kImageSize);
    st.exchanges = st.garbled = st.blocks = 0;
    st.writesSinceConnect = st.readsSinceConnect = 0;
    st.written = false;
    st.awayUntilNs = st.leaveAtNs = 0;
    st.arrivedNs = nowNs;
    if (st.opt.rowRadios > 1)
        std::fprintf(stderr, "radiocps-sim: radio %d of %d answers\n", radio, st.opt.rowRadios);
}

// The radio goes (switched off, unplugged) once its last reply is out; the
// next one of the row comes after the gap.
void Leave(State &st, long long nowNs)
{
    const long long from = std::max(nowNs, st.replyEndNs);
    st.awayUntilNs = st.radio < st.opt.rowRadios ? from + static_cast<long long>(st.opt.rowGapMs) * 1000000LL
                                                 : std::numeric_limits<long long>::max();
    std::fprintf(stderr, "radiocps-sim: radio %d of %d leaves\n", st.radio, st.opt.rowRadios);
}

// Whether a radio is there to hear a request that came at nowNs.
bool Present(State &st, long long nowNs)
{
    if (st.opt.rowRadios > 1 && st.opt.rowEveryMs > 0 && !st.awayUntilNs
        && nowNs - st.arrivedNs >= static_cast<long long>(st.opt.rowEveryMs) * 1000000LL)
        Leave(st, nowNs);
    if (st.leaveAtNs && nowNs >= st.leaveAtNs) {
        st.leaveAtNs = 0;
        Leave(st, nowNs);
    }
    if (st.awayUntilNs && nowNs >= st.awayUntilNs)
        Arrive(st, st.radio + 1, nowNs);
    return !st.awayUntilNs;
}

// Answers one request frame; the frame was complete at readyNs.
void Handle(State &st, const Bytes &req, long long readyNs)
{
    const QString fault = LineFault(st.slave);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "radiocps-sim: request %s not answered: the port is set to %s, not 9600 baud 8N1 "
                             "without flow control\n", qPrintable(Hex(req)), qPrintable(fault));
        return;
    }
    if (!Present(st, readyNs)) {
        Trace(st, "rx (no radio)", req);
        return;
    }
    ++st.exchanges;
    Trace(st, "rx", req);
    const bool faulty = st.exchanges >= st.opt.firstFaulty
            && (st.opt.lastFaulty == 0 || st.exchanges <= st.opt.lastFaulty)
            && (st.opt.rowFaulty == 0 || st.opt.rowFaulty == st.radio);
    const uint8_t cmd = req[2];
    const int n = req[5];
    if (st.exchanges == st.opt.strayExchange)
        Schedule(st, readyNs + static_cast<long long>(st.opt.strayMs) * 1000000LL, Bytes{0x00});
    Bytes reply;
    bool block = false;

    bool leave = false;
    if (cmd == 0xE0 && n == 0 && ModelAddress(req)) {
        reply = Confirm(0xE1, {static_cast<uint8_t>(st.model & 0xFF), static_cast<uint8_t>(st.model >> 8),
                               static_cast<uint8_t>(st.opt.verMajor), static_cast<uint8_t>(st.verMinor)});
        st.writesSinceConnect = st.readsSinceConnect = 0;
    } else if (cmd == 0xE2 && n == 0 && BlockOffset(req) >= 0) {
        const int off = BlockOffset(req);
        Bytes data(st.image + off, st.image + off + kBlockSize);
        if (st.opt.alterOffset >= off && st.opt.alterOffset < off + kBlockSize)
            data[static_cast<size_t>(st.opt.alterOffset - off)] = static_cast<uint8_t>(st.opt.alterValue);
        if (faulty && st.opt.shortBlock >= 0)
            data.resize(static_cast<size_t>(st.opt.shortBlock));
        reply = Confirm(0xE3, data);
        block = true;
        ++st.readsSinceConnect;
    } else if (cmd == 0xE4 && n == kBlockSize && BlockOffset(req) >= 0) {
        std::memcpy(st.image + BlockOffset(req), &req[6], kBlockSize);
        reply = Confirm(0xE5, {});
        block = true;
        ++st.writesSinceConnect;
    } else if (cmd == 0xE6 && n == 0 && ModelAddress(req)) {
        SaveImage(st);
        reply = Confirm(0xE7, {});
        const int blocks = (kWindowLast - kWindowBase) / kBlockSize + 1;
        leave = st.opt.rowRadios > 1 && st.opt.rowEveryMs == 0 && st.written && st.readsSinceConnect >= blocks;
        st.written = st.written || st.writesSinceConnect >= blocks;
    } else {
        std::fprintf(stderr, "radiocps-sim: request %s not answered\n", qPrintable(Hex(req)));
        return;
    }

    if (st.opt.badAddrFrom > 0 && st.exchanges >= st.opt.badAddrFrom) {
        reply[3] = 0x6B;
        reply[4] = 0x05;
    }
    if (faulty && st.garbled < st.opt.garble) {
        for (uint8_t &b : reply)
            b ^= 0x5A;
        ++st.garbled;
    }
    if (faulty && st.opt.echo)
        reply.insert(reply.begin(), req.begin(), req.end());

    if (!(faulty && st.opt.silent)) {
        // On a real line the reply cannot start before the request is in.
        if (st.opt.pace)
            readyNs += static_cast<long long>(req.size()) * kByteNs;
        Trace(st, "tx", reply);
        Send(st, reply, readyNs, faulty);
        if (st.exchanges == st.opt.repeatExchange)   // later replies may go out before the copy
            Schedule(st, st.replyEndNs + static_cast<long long>(st.opt.repeatMs) * 1000000LL, reply);
    }
    if (leave && st.opt.rowStayMs > 0)
        st.leaveAtNs = readyNs + static_cast<long long>(st.opt.rowStayMs) * 1000000LL;
    else if (leave)
        Leave(st, readyNs);
    // The hang-up waits for the next request, so the tool surely has the last
    // reply: closing the master side drops whatever still waits in the port.
    if (block && ++st.blocks == st.opt.hangupAfter)
        st.hangupNs = NowNs() + 2000000000LL;
}

// Takes complete request frames off the front of buf; noise before a frame
// start and frames without their two end bytes are skipped.
void Parse(State &st, Bytes &buf, long long nowNs)
{
    while (!buf.empty() && !g_stop) {
        if (buf[0] != 0xFE || (buf.size() >= 2 && buf[1] != 0xA5)) {
            buf.erase(buf.begin());
            continue;
        }
        if (buf.size() < 6)
            return;
        const size_t total = 8 + static_cast<size_t>(buf[5]);
        if (buf.size() < total)
            return;
        if (buf[total - 2] != 0xFD || buf[total - 1] != 0xFD) {
            buf.erase(buf.begin());
            continue;
        }
        const Bytes req(buf.begin(), buf.begin() + static_cast<long>(total));
        buf.erase(buf.begin(), buf.begin() + static_cast<long>(total));
        if (st.hangupNs) {
            HangUp(st);
            return;
        }
        Handle(st, req, nowNs);
    }
}

bool OpenPty(State &st)
{
    st.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (st.master < 0 || grantpt(st.master) != 0 || unlockpt(st.master) != 0) {
        std::fprintf(stderr, "radiocps-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    const char *name = ptsname(st.master);
    // Our own descriptor of the port keeps it alive while the tool closes and
    // reopens it; raw, or the line discipline would echo our replies back.
    st.slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (st.slave < 0) {
        std::fprintf(stderr, "radiocps-sim: cannot open %s: %s\n", name ? name : "the port", std::strerror(errno));
        return false;
    }
    // Raw at 38400 baud: a tool that sets no speed of its own is not heard.
    termios tio;
    tcgetattr(st.slave, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    tcsetattr(st.slave, TCSANOW, &tio);
    fcntl(st.master, F_SETFL, fcntl(st.master, F_GETFL) | O_NONBLOCK);
    return true;
}

bool ParseInt(const QString &text, int min, int max, int *out)
{
    bool ok = false;
    const int v = text.toInt(&ok, 0);
    if (!ok || v < min || v > max)
        return false;
    *out = v;
    return true;
}

// "n:ms": an exchange (from 1) and a time in ms (0..60000).
bool ParseExchangeMs(const QString &text, int *exchange, int *ms)
{
    const QStringList parts = text.split(':');
    return parts.size() == 2 && ParseInt(parts[0], 1, 1 << 30, exchange) && ParseInt(parts[1], 0, 60000, ms);
}

bool ParseOptions(const QCoreApplication &app, Options *opt)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Emulated radio (model 0x6B05) on a pseudo-terminal. Prints the path of its port on\n"
        "stdout and answers connect (E0), block read (E2), block write (E4) and end (E6)\n"
        "requests from a 452-byte image. Stops on SIGINT or SIGTERM. Exchanges are counted\n"
        "from 1 in the order requests arrive (the connect of a transfer is exchange 1).\n"
        "As a radio, it answers only while the port is set to 9600 baud, 8 data bits, no\n"
        "parity, 1 stop bit and no flow control; otherwise it says on stderr what it found."));
    p.addHelpOption();
    const QCommandLineOption image("image", "Load the 452-byte image from <file> (default: window all FF).", "file");
    const QCommandLineOption save("save", "Save the image to <file> on the end command and on exit.", "file");
    const QCommandLineOption link("link", "Also make <path> a symbolic link to the port.", "path");
    const QCommandLineOption model("model", "Model word in the handshake data (default 0x6B05).", "word");
    const QCommandLineOption version("version", "Version in the handshake data (default 1.5).", "major.minor");
    const QCommandLineOption silent("silent", "Never answer.");
    const QCommandLineOption badAddr("bad-addr-from", "From exchange <n> on, put 6B 05 at frame offsets 3 and 4.", "n");
    const QCommandLineOption garble("garble", "Garble the first <n> replies (of the --exchanges range).", "n");
    const QCommandLineOption echo("echo", "Echo each request before its reply, as some cables do.");
    const QCommandLineOption split("split", "Send each reply in two bursts, the first of <n> bytes.", "n");
    const QCommandLineOption splitGap("split-gap", "Pause between the bursts in ms (default 200).", "ms");
    const QCommandLineOption delay("delay", "Answer each request <ms> after it arrived; later requests are "
                                            "answered at their own time meanwhile.", "ms");
    const QCommandLineOption stray("stray", "Send one stray byte (00) <ms> after the request of exchange <n>, "
                                            "whatever --exchanges says.", "n:ms");
    const QCommandLineOption repeat("repeat", "Send the reply of exchange <n> once more, <ms> after its end, "
                                              "whatever --exchanges says.", "n:ms");
    const QCommandLineOption shortBlock("short-block", "Answer block reads with <n> data bytes (0..15).", "n");
    const QCommandLineOption hangup("hangup-after", "Hang up (the port disappears) at the first request after answering block <k>, or 2 s after it.", "k");
    const QCommandLineOption pace("pace", "Pace the line at 9600 baud: requests take their wire time to arrive, "
                                          "reply bytes go out one per 1.04 ms.");
    const QCommandLineOption alter("alter", "Report image byte <offset> (4..451) as <value> in block reads; "
                                            "the image itself is unchanged.", "offset=value");
    const QCommandLineOption exchanges("exchanges", "Misbehave only in exchange <n>, from <n> on (<n>-) or in "
                                                    "<n> to <m> (<n>-<m>): applies to --silent, --garble, "
                                                    "--echo, --split, --delay and --short-block (default: all).",
                                       "range");
    const QCommandLineOption trace("trace", "Print each request (rx) and reply (tx) as hex on stderr.");
    const QCommandLineOption row("row", "Be a row of <n> radios on the port, one after another, as a fleet is "
                                        "programmed: each starts with the --image, radio k has version "
                                        "major.(minor + k - 1) and saves to <file>-k.dat; exchanges are counted "
                                        "for each radio. A radio leaves (answers nothing, as if switched off) "
                                        "after the read that follows its completed write (and --row-stay), or "
                                        "instead on --row-every; "
                                        "the next one answers --row-gap later. After the last nothing answers.",
                                 "n");
    const QCommandLineOption rowGap("row-gap", "Quiet between two radios of the row in ms (default 2000).", "ms");
    const QCommandLineOption rowStay("row-stay", "A radio of the row still answers <ms> after its checked write "
                                                 "(the time it takes to switch it off; default 0).", "ms");
    const QCommandLineOption rowEvery("row-every", "A radio of the row leaves <ms> after it came, whatever it did.",
                                      "ms");
    const QCommandLineOption rowFaulty("row-faulty", "The misbehaviour options apply to radio <k> of the row only.",
                                       "k");
    const QCommandLineOption rowModel("row-model", "Radio <k> of the row has model word <word> (repeatable).",
                                      "k:word");
    p.addOptions({image, save, link, model, version, silent, badAddr, garble, echo, split, splitGap, delay,
                  shortBlock, hangup, pace, alter, exchanges, stray, repeat, trace, row, rowGap, rowStay, rowEvery,
                  rowFaulty, rowModel});
    p.process(app);

    auto intOption = [&](const QCommandLineOption &o, int min, int max, int *out) {
        if (!p.isSet(o))
            return true;
        if (ParseInt(p.value(o), min, max, out))
            return true;
        std::fprintf(stderr, "radiocps-sim: bad value for --%s: %s\n", qPrintable(o.names().first()),
                     qPrintable(p.value(o)));
        return false;
    };
    opt->imagePath = p.value(image);
    opt->savePath = p.value(save);
    opt->linkPath = p.value(link);
    opt->silent = p.isSet(silent);
    opt->echo = p.isSet(echo);
    opt->pace = p.isSet(pace);
    opt->trace = p.isSet(trace);
    if (!intOption(model, 0, 0xFFFF, &opt->model) || !intOption(badAddr, 1, 1 << 30, &opt->badAddrFrom)
        || !intOption(garble, 0, 1 << 30, &opt->garble) || !intOption(split, 1, 1024, &opt->splitAfter)
        || !intOption(splitGap, 0, 60000, &opt->splitGapMs) || !intOption(delay, 0, 60000, &opt->delayMs)
        || !intOption(shortBlock, 0, 15, &opt->shortBlock) || !intOption(hangup, 1, 1 << 30, &opt->hangupAfter)
        || !intOption(row, 1, 1 << 20, &opt->rowRadios) || !intOption(rowGap, 0, 600000, &opt->rowGapMs)
        || !intOption(rowStay, 0, 600000, &opt->rowStayMs)
        || !intOption(rowEvery, 1, 600000, &opt->rowEveryMs) || !intOption(rowFaulty, 1, 1 << 20, &opt->rowFaulty))
        return false;
    for (const QString &value : p.values(rowModel)) {
        const QStringList parts = value.split(':');
        int radio = 0, word = 0;
        if (parts.size() != 2 || !ParseInt(parts[0], 1, 1 << 20, &radio) || !ParseInt(parts[1], 0, 0xFFFF, &word)) {
            std::fprintf(stderr, "radiocps-sim: bad value for --row-model: %s\n", qPrintable(value));
            return false;
        }
        opt->rowModels.insert(radio, word);
    }
    if (p.isSet(version)) {
        const QStringList parts = p.value(version).split('.');
        if (parts.size() != 2 || !ParseInt(parts[0], 0, 255, &opt->verMajor)
            || !ParseInt(parts[1], 0, 255, &opt->verMinor)) {
            std::fprintf(stderr, "radiocps-sim: bad value for --version: %s\n", qPrintable(p.value(version)));
            return false;
        }
    }
    if (p.isSet(exchanges)) {
        const QStringList parts = p.value(exchanges).split('-');
        const bool open = parts.size() == 2 && parts[1].isEmpty();
        if (parts.size() > 2 || !ParseInt(parts[0], 1, 1 << 30, &opt->firstFaulty)
            || (parts.size() == 2 && !open && !ParseInt(parts[1], opt->firstFaulty, 1 << 30, &opt->lastFaulty))) {
            std::fprintf(stderr, "radiocps-sim: bad value for --exchanges: %s\n", qPrintable(p.value(exchanges)));
            return false;
        }
        if (parts.size() == 1)
            opt->lastFaulty = opt->firstFaulty;
    }
    const struct { const QCommandLineOption &option; int *exchange, *ms; } timed[] = {
        {stray, &opt->strayExchange, &opt->strayMs}, {repeat, &opt->repeatExchange, &opt->repeatMs}};
    for (const auto &t : timed)
        if (p.isSet(t.option) && !ParseExchangeMs(p.value(t.option), t.exchange, t.ms)) {
            std::fprintf(stderr, "radiocps-sim: bad value for --%s: %s\n", qPrintable(t.option.names().first()),
                         qPrintable(p.value(t.option)));
            return false;
        }
    if (p.isSet(alter)) {
        const QStringList parts = p.value(alter).split('=');
        if (parts.size() != 2 || !ParseInt(parts[0], kHeaderSize, kImageSize - 1, &opt->alterOffset)
            || !ParseInt(parts[1], 0, 255, &opt->alterValue)) {
            std::fprintf(stderr, "radiocps-sim: bad value for --alter: %s\n", qPrintable(p.value(alter)));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiocps-sim"));

    State st;
    if (!ParseOptions(app, &st.opt))
        return 2;
    std::memset(st.initial, 0xFF, sizeof(st.initial));
    if (!st.opt.imagePath.isEmpty() && !LoadImage(st.opt.imagePath, st.initial))
        return 1;
    Arrive(st, 1, NowNs());

    struct sigaction sa;
    std::memset(&sa, 0, sizeof(sa));
    sa.sa_handler = OnSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);

    if (!OpenPty(st))
        return 1;
    const QByteArray path = ptsname(st.master);
    if (!st.opt.linkPath.isEmpty()) {
        ::unlink(qPrintable(st.opt.linkPath));
        if (::symlink(path.constData(), qPrintable(st.opt.linkPath)) != 0)
            std::fprintf(stderr, "radiocps-sim: cannot make link %s: %s\n", qPrintable(st.opt.linkPath),
                         std::strerror(errno));
    }
    std::printf("%s\n", path.constData());
    std::fflush(stdout);

    Bytes buf;
    long long lastRxNs = 0;
    while (!g_stop) {
        pollfd pfd{st.master, POLLIN, 0};
        int waitMs = (buf.empty() && !st.hangupNs) ? 500 : kStaleFrameMs;
        if (const Burst *next = NextBurst(st))
            waitMs = static_cast<int>(std::clamp((next->dueNs - NowNs() + 999999) / 1000000, 0LL,
                                                 static_cast<long long>(waitMs)));
        const int r = poll(&pfd, 1, waitMs);
        if ((r < 0 && errno != EINTR) || (r > 0 && (pfd.revents & (POLLERR | POLLNVAL))))
            break;
        const long long now = NowNs();
        if (r > 0 && (pfd.revents & POLLIN)) {
            uint8_t chunk[512];
            ssize_t n;
            while ((n = ::read(st.master, chunk, sizeof(chunk))) > 0)
                buf.insert(buf.end(), chunk, chunk + n);
            lastRxNs = now;
            Parse(st, buf, now);
        } else if (!buf.empty() && now - lastRxNs >= kStaleFrameMs * 1000000LL) {
            buf.clear();
        }
        if (st.master >= 0)
            SendDue(st);
        if (st.hangupNs && now >= st.hangupNs && st.master >= 0)
            HangUp(st);
    }

    SaveImage(st);
    if (!st.opt.linkPath.isEmpty())
        ::unlink(qPrintable(st.opt.linkPath));
    if (st.master >= 0)
        ::close(st.master);
    if (st.slave >= 0)
        ::close(st.slave);
    return 0;
}
