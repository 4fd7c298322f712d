#pragma once

// End-to-end helpers of the link tests: the emulated radio as a real process
// on a pseudo-terminal, and a main window in a scratch folder linked to it.

#include "app/mainwindow.h"
#include "link/comprocess_form.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>

// radiocps-sim with --trace and the given options; the first line it prints
// is the path of its port.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &args = {})
    {
        m_proc.start(QStringLiteral(RUN_DIR "/radiocps-sim"), QStringList{"--trace"} + args);
        if (m_proc.waitForReadyRead(5000))
            port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~SimProcess() { stop(); }

    QString port;

    // Stops the emulator; it saves its image if asked to.
    void stop() { m_proc.terminate(); m_proc.waitForFinished(5000); }

    // Request frames the emulator received so far, as hex.
    QStringList frames()
    {
        m_err += m_proc.readAllStandardError();
        QStringList out;
        for (const QString &line : QString::fromLatin1(m_err).split('\n'))
            if (line.startsWith("rx "))
                out << line.mid(3);
        return out;
    }

private:
    QProcess m_proc;
    QByteArray m_err;
};

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

    ScratchDir scratch;
    const QByteArray radio = PatternImage(11);
    SimProcess sim;
    MainWindow w;
    QList<int> values;
    QString seen;

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

// An operation that fails: the emulator's options (none: no such port), the
// message text, the requests that reached the radio (connects connect
// requests, then the given blocks) and the bar values reached.
struct Failure {
    QStringList options;
    bool write;
    QString text;
    int connects;
    QList<int> blocks;
    int progress;
};
Q_DECLARE_METATYPE(Failure)

// Runs the operation; afterwards the window and the pages are as they were.
inline void CheckFailure(const Failure &f)
{
    Link link(f.options);
    if (f.options.isEmpty())
        Read_Write_Port = link.scratch.file("no-such-port");
    const QString version = MainWindowProbe::version(link.w);
    const QByteArray pages = MainWindowProbe::pages(link.w);
    QCOMPARE(link.run(f.write), (f.write ? "[写频操作] " : "[读频操作] ") + f.text);
    QCOMPARE(link.sim.frames(), Requests(f.connects, f.blocks, f.write ? link.image() : QByteArray()));
    QCOMPARE(link.values, kFullProgress.mid(0, f.progress));
    QVERIFY(link.w.isEnabled() && !MainWindowProbe::busy(link.w));
    QCOMPARE(MainWindowProbe::version(link.w), version);
    QCOMPARE(MainWindowProbe::pages(link.w), pages);
}
