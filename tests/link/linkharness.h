#pragma once

// A main window in a scratch folder, linked to the emulated radio as a real
// process on a pseudo-terminal; one read or write through it, checked.

#include "link/comprocess_form.h"
#include "link/serial.h"

#include "gui.h"
#include "imagebytes.h"
#include "mainwindowprobe.h"
#include "modalcloser.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>

#include <ctime>

// Bar values of a complete transfer: 5, one per block, 100.
const QList<int> kFullProgress = {5,  8,  11, 14, 18, 21, 24, 27, 31, 34, 37, 41, 44, 47, 50,
                                   54, 57, 60, 63, 67, 70, 73, 77, 80, 83, 86, 90, 93, 96, 100};

// A main window speaking Chinese, its port an emulated radio with the given options (version 2.7, image
// `radio`, saved to saved.dat when it stops), on a fast link if asked. It watches the progress panel: every
// value of its bar, and at the first one the panel's title and label, and whether the window was disabled
// and refused to close.
class Link : public QObject
{
public:
    explicit Link(const QStringList &options = {}, bool fast = false)
        : sim(QStringList{"--image", Radio(scratch, radio, fast), "--save", scratch.file("saved.dat"), "--version",
                          "2.7"} + options)
    {
        Read_Write_Port = sim.port;
        w.installEventFilter(this);
        w.resize(900, 600);
        w.show();
    }

    // Runs a read or write from the main window; the titles, then the texts of the messages shown.
    QStringList run(bool write)
    {
        ModalCloser closer;
        MainWindowProbe::run(w, write);
        return closer.titles + closer.texts;
    }
    // Saves the window to a file of the scratch folder; its bytes.
    QByteArray save(const QString &name)
    {
        ModalCloser closer;
        w.MenuActionSaveFile(scratch.file(name));
        return scratch.readFile(name);
    }
    QString version() const { return Label(w, "label_RadioVersion"); }

    ScratchDir scratch;
    const QByteArray radio = QByteArray::fromHex("056B0207") + RandomImage(11).mid(kHeaderSize);   // V2.07
    SimProcess sim;
    MainWindow w;
    QList<int> values;
    QStringList seen;
    int killAt = -1;   // kill the emulator when the bar has taken this many values

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        auto *panel = event->type() == QEvent::ChildPolished
                ? qobject_cast<COMPROCESS_Form *>(static_cast<QChildEvent *>(event)->child()) : nullptr;
        if (panel)
            connect(panel->findChild<QProgressBar *>(), &QProgressBar::valueChanged, this, [this, panel](int v) {
                if (values.isEmpty())
                    seen = QStringList{panel->windowTitle(), Label(*panel, "label"),
                                       w.isEnabled() ? "enabled" : "disabled", w.close() ? "closed" : "close refused"};
                values << v;
                if (values.size() == killAt)
                    sim.kill();
            });
        return false;
    }

private:
    // The radio's image file, in a folder whose settings speak Chinese.
    static QString Radio(const ScratchDir &scratch, const QByteArray &radio, bool fast)
    {
        scratch.setLanguage("Chinese");
        if (fast)
            scratch.setSettings({{"FastLink", "Yes"}});
        scratch.writeFile("radio.dat", radio);
        return scratch.file("radio.dat");
    }
};

// One read or write from the main window: the emulator's options, the message, the requests that reached
// the radio (connect requests, the given blocks, on success the end command), the bar values reached, when
// to kill the emulator, whether the window has the fast link on.
struct Operation {
    QString options;
    bool write;
    QString text;
    int connects;
    QList<int> blocks;
    int progress;
    int killAt = -1;
    bool fast = false;
    bool anyRetries = false;   // retries on no fixed block: the requests are not compared
};
Q_DECLARE_METATYPE(Operation)

// A complete read or write, the retried blocks sent twice.
inline Operation Success(const QString &options, bool write, const QList<int> &retried = {})
{
    return {options, write, write ? "写入数据成功!" : "读取数据成功!", 1, AllBlocks(retried), kFullProgress.size()};
}

// Runs the operation and checks its message, requests, progress panel and
// bar. Afterwards the window is usable; a read that failed leaves the image,
// the header shown and what a save writes as they were; a write never
// changes the pages; the radio holds exactly the blocks it was sent.
inline void CheckOperation(const Operation &op)
{
    Link link(op.options.split(' ', Qt::SkipEmptyParts), op.fast);
    if (!op.connects)
        Read_Write_Port = link.scratch.file("no-such-port");
    link.killAt = op.killAt;
    const QByteArray saved = link.save("before.dat"), image = MainWindowProbe::bytes(link.w);
    QVERIFY(saved.mid(kHeaderSize) != link.radio.mid(kHeaderSize));
    const QString version = link.version();
    const bool ok = op.progress == kFullProgress.size();

    // Waits sleep, also while a port hangs up or vanishes under them: the transfer's own work (frames,
    // painting; slower under sanitizers on a loaded machine) may take 500 ms of processor time, a spinning
    // wait all of it.
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu0 = std::clock();
    QCOMPARE(link.run(op.write), QStringList({op.write ? "[写频操作]" : "[读频操作]", op.text}));
    const qint64 cpuMs = qint64(std::clock() - cpu0) * 1000 / CLOCKS_PER_SEC, wallMs = wall.elapsed();
    if (wallMs > 1000)
        QVERIFY2(cpuMs < wallMs / 4 + 500, qPrintable(QString("%1 ms of processor time in %2 ms").arg(cpuMs).arg(wallMs)));
    if (!op.anyRetries)
        QTRY_COMPARE(link.sim.frames(), Requests(op.connects, op.blocks, op.write ? saved : QByteArray())
                                                + (ok ? QStringList{kEndReq} : QStringList()));
    QCOMPARE(link.values, kFullProgress.mid(0, op.progress));
    if (op.progress)   // at the first bar value
        QCOMPARE(link.seen, QStringList({op.write ? "写频" : "读频", op.write ? " 写入数据: " : " 读取数据: ", "disabled",
                                         "close refused"}));
    QVERIFY(link.w.isEnabled() && !MainWindowProbe::busy(link.w));
    const QByteArray now = MainWindowProbe::bytes(link.w);
    if (ok)   // the handshake data
        QCOMPARE(now.left(kHeaderSize), link.radio.left(kHeaderSize));
    if (ok && !op.write) {   // the radio's bytes and version shown
        QCOMPARE(now, link.radio);
        QCOMPARE(link.version(), QString("V2.07"));
    } else {
        QCOMPARE(op.write ? now.mid(kHeaderSize) : now, op.write ? image.mid(kHeaderSize) : image);
        QCOMPARE(link.version(), version);
        QCOMPARE(link.save("after.dat"), saved);
    }
    if (op.killAt >= 0)
        return;
    QByteArray held = link.radio;
    for (int n : op.write ? op.blocks : QList<int>()) {
        const int at = kHeaderSize + kBlockSize * n;
        held.replace(at, kBlockSize, saved.mid(at, kBlockSize));
    }
    link.sim.stop();
    QCOMPARE(link.scratch.readFile("saved.dat").mid(kHeaderSize), held.mid(kHeaderSize));
}
