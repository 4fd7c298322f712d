#pragma once

// End-to-end helpers of the link tests: the emulated radio as a real process
// on a pseudo-terminal, and a main window in a scratch folder linked to it.

#include "app/mainwindow.h"
#include "link/comprocess_form.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>

#include <ctime>

// A 452-byte image, header 05 6B 02 07, whose window bytes differ from their neighbours.
inline QByteArray PatternImage(int seed)
{
    QByteArray image = QByteArray::fromHex("056B0207");
    for (int i = kHeaderSize; i < kImageSize; ++i)
        image += static_cast<char>((i * 7 + seed) & 0xFF);
    return image;
}

inline QByteArray Window(const QByteArray &image) { return image.mid(kHeaderSize); }

// Request frames as hex: connect, end, and block n read or (with the image's bytes) written.
const QString kConnectReq = QStringLiteral("FEA5E0056B00FDFD");
const QString kEndReq = QStringLiteral("FEA5E6056B00FDFD");
inline QString BlockReq(int n, const QByteArray &written)
{
    const int addr = kWindowBase + kBlockSize * n;
    if (written.isEmpty())
        return QString::asprintf("FEA5E2%04X00FDFD", addr);
    const QByteArray data = written.mid(kHeaderSize + kBlockSize * n, kBlockSize);
    return QString::asprintf("FEA5E4%04X10", addr) + data.toHex().toUpper() + "FDFD";
}
// connects connect requests, then the given blocks.
inline QStringList Requests(int connects, const QList<int> &blocks, const QByteArray &written = {})
{
    QStringList out = QVector<QString>(connects, kConnectReq).toList();
    for (int n : blocks)
        out << BlockReq(n, written);
    return out;
}

// Bar values of a complete transfer: 5, one per block, 100.
const QList<int> kFullProgress = {5,  8,  11, 14, 18, 21, 24, 27, 31, 34, 37, 41, 44, 47, 50,
                                   54, 57, 60, 63, 67, 70, 73, 77, 80, 83, 86, 90, 93, 96, 100};

class MainWindowProbe
{
public:
    static QByteArray image(MainWindow &w) { return QByteArray(reinterpret_cast<char *>(&w.m_image), kImageSize); }
    static bool busy(MainWindow &w) { return w.m_linkBusy; }
    static void run(MainWindow &w, bool write) { write ? w.SlotRadioWriteFreqOp() : w.SlotRadioReadFreqOp(); }
    // The window as the pages hold it.
    static QByteArray pages(MainWindow &w)
    {
        w.GetRadioData();
        return Window(image(w));
    }
    static QString version(MainWindow &w) { return w.findChild<QLabel *>("label_RadioVersion")->text(); }
};

// A main window speaking Chinese in a scratch folder, its port an emulated
// radio started with the given options (version 2.7, image `radio`, saved
// to saved.dat when it stops). It watches the progress panel of operations:
// every value of its bar, and at the first one the panel's title and label
// and whether the window was disabled and refused to close.
class Link : public QObject
{
public:
    explicit Link(const QStringList &options = {}) : sim(Start(scratch, radio, options))
    {
        Read_Write_Port = sim.port;
        w.installEventFilter(this);
        w.resize(900, 600);
        w.show();
    }

    // Runs a read or write from the main window; the titles and texts of the messages shown.
    QString run(bool write)
    {
        ModalCloser closer;
        MainWindowProbe::run(w, write);
        return (closer.titles + closer.texts).join(' ');
    }
    QByteArray image() { return MainWindowProbe::image(w); }
    // Saves the window to a file of the scratch folder; its bytes.
    QByteArray save(const QString &name)
    {
        ModalCloser closer;
        w.MenuActionSaveFile(scratch.file(name));
        return scratch.readFile(name);
    }

    ScratchDir scratch;
    const QByteArray radio = PatternImage(11);
    SimProcess sim;
    MainWindow w;
    QList<int> values;
    QString seen;
    int killAt = -1;   // kill the emulator when the bar has taken this many values

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        auto *panel = event->type() == QEvent::ChildPolished
                ? qobject_cast<COMPROCESS_Form *>(static_cast<QChildEvent *>(event)->child()) : nullptr;
        if (panel)
            connect(panel->findChild<QProgressBar *>(), &QProgressBar::valueChanged, this, [this, panel](int v) {
                if (values.isEmpty())
                    seen = QStringList{panel->windowTitle(), panel->findChild<QLabel *>("label")->text(),
                                       w.isEnabled() ? "enabled" : "disabled",
                                       w.close() ? "closed" : "close refused"}.join('|');
                values << v;
                if (values.size() == killAt)
                    sim.kill();
            });
        return false;
    }

private:
    static QStringList Start(const ScratchDir &scratch, const QByteArray &radio, const QStringList &options)
    {
        QByteArray ini = scratch.readFile("datafile/sysset.ini");
        ini.replace("Language=", "Language=Chinese").replace("FirstRun=Yes", "FirstRun=No");
        scratch.writeFile("datafile/sysset.ini", ini);
        scratch.writeFile("radio.dat", radio);
        return QStringList{"--image", scratch.file("radio.dat"), "--save", scratch.file("saved.dat"),
                           "--version", "2.7"} + options;
    }
};

// One read or write against a misbehaving radio: the emulator's options
// (none: no such port), the message text, the requests that reached the
// radio (connects connect requests, then the given blocks, then on success
// the end command), the bar values reached, and when to kill the emulator.
struct Fault {
    QString options;
    bool write;
    QString text;
    int connects;
    QList<int> blocks;
    int progress;
    int killAt = -1;
};
Q_DECLARE_METATYPE(Fault)

// Runs the operation and checks its message, requests and bar. Afterwards
// the window is usable; a read that failed leaves the image, the header
// shown and what a save writes as they were; a write never changes the
// pages, and the radio holds exactly the blocks it was sent.
inline void CheckFault(const Fault &f)
{
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { qFatal("link operation still running after 60 s"); });
    watchdog.start(60000);
    Link link(f.options.split(' ', Qt::SkipEmptyParts));
    if (f.options.isEmpty())
        Read_Write_Port = link.scratch.file("no-such-port");
    link.killAt = f.killAt;
    const QByteArray saved = link.save("before.dat");
    const QByteArray image = link.image();
    const QString version = MainWindowProbe::version(link.w);
    const bool ok = f.progress == kFullProgress.size();

    // Waits sleep: the process's own processor time stays far below the wall
    // time, also while a port hangs up or vanishes under the wait.
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu0 = std::clock();
    QCOMPARE(link.run(f.write), (f.write ? "[写频操作] " : "[读频操作] ") + f.text);
    const qint64 cpuMs = qint64(std::clock() - cpu0) * 1000 / CLOCKS_PER_SEC, wallMs = wall.elapsed();
    if (wallMs > 1000)
        QVERIFY2(cpuMs < wallMs / 4, qPrintable(QString("%1 ms of processor time in %2 ms").arg(cpuMs).arg(wallMs)));
    QTRY_COMPARE(link.sim.frames(), Requests(f.connects, f.blocks, f.write ? saved : QByteArray())
                                            + (ok ? QStringList{kEndReq} : QStringList()));
    QCOMPARE(link.values, kFullProgress.mid(0, f.progress));
    QVERIFY(link.w.isEnabled() && !MainWindowProbe::busy(link.w));
    if (ok && !f.write) {
        QCOMPARE(link.image(), link.radio);
        QCOMPARE(MainWindowProbe::version(link.w), QString("V2.07"));
        return;
    }
    QCOMPARE(f.write ? Window(link.image()) : link.image(), f.write ? Window(image) : image);
    QCOMPARE(MainWindowProbe::version(link.w), version);
    QCOMPARE(link.save("after.dat"), saved);
    if (f.write && f.killAt < 0) {
        QByteArray held = link.radio;
        for (int n : f.blocks) {
            const int at = kHeaderSize + kBlockSize * n;
            held.replace(at, kBlockSize, saved.mid(at, kBlockSize));
        }
        link.sim.stop();
        QCOMPARE(Window(link.scratch.readFile("saved.dat")), Window(held));
    }
}
