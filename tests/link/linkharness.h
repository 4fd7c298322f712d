#pragma once

// End-to-end helpers of the link tests: the emulated radio as a real
// process on a pseudo-terminal, images, and a main window in a scratch folder.

#include "app/mainwindow.h"
#include "data/radiodata.h"
#include "link/comprocess_form.h"
#include "link/serial.h"

#include "scratchdir.h"

#include <QtTest>
#include <QByteArray>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextCodec>

#include <cstring>

// radiocps-sim started with --trace and the given options; its port path is
// read from its first line of output.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &args = {})
    {
        m_proc.setProgram(QStringLiteral(RUN_DIR "/radiocps-sim"));
        m_proc.setArguments(QStringList{"--trace"} + args);
        m_proc.start();
        if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~SimProcess() { stop(); }

    QString port() const { return m_port; }

    // Stops the emulator (it saves its image if asked to) and collects its trace.
    void stop()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            m_proc.terminate();
            m_proc.waitForFinished(5000);
        }
        collect();
    }

    // Hex frames the emulator received ("rx") or sent ("tx") so far.
    QStringList frames(const QString &direction)
    {
        collect();
        QStringList out;
        for (const QString &line : m_lines)
            if (line.startsWith(direction + ' '))
                out << line.mid(direction.size() + 1);
        return out;
    }
    QStringList requests() { return frames(QStringLiteral("rx")); }

private:
    void collect()
    {
        m_err += m_proc.readAllStandardError();
        m_lines = QString::fromLocal8Bit(m_err).split('\n', Qt::SkipEmptyParts);
    }

    QProcess m_proc;
    QString m_port;
    QByteArray m_err;
    QStringList m_lines;
};

// A 452-byte image whose window bytes all differ from their neighbours.
inline QByteArray PatternImage(int seed)
{
    QByteArray image(kImageSize, '\0');
    image[0] = 0x05;
    image[1] = 0x6B;
    image[2] = 0x02;
    image[3] = 0x07;
    for (int i = kHeaderSize; i < kImageSize; ++i)
        image[i] = static_cast<char>((i * 7 + seed) & 0xFF);
    return image;
}

inline QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

inline QByteArray Window(const QByteArray &image)
{
    return image.mid(kHeaderSize);
}

inline QByteArray Window(const RadioData_S &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + kHeaderSize, kImageSize - kHeaderSize);
}

// The request frames of a full transfer, as hex text.
inline QString ConnectFrame() { return QStringLiteral("FEA5E0056B00FDFD"); }
inline QString EndFrame() { return QStringLiteral("FEA5E6056B00FDFD"); }
inline QString ReadFrame(int block)
{
    return QString::asprintf("FEA5E2%04X00FDFD", kWindowBase + kBlockSize * block);
}
inline QString WriteFrame(int block, const RadioData_S &image)
{
    QString text = QString::asprintf("FEA5E4%04X10", kWindowBase + kBlockSize * block);
    const uint8_t *data = image.bytes() + kHeaderSize + kBlockSize * block;
    return text + QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(data), kBlockSize).toHex().toUpper())
            + QStringLiteral("FDFD");
}

inline QStringList Repeat(const QString &frame, int times)
{
    QStringList out;
    for (int i = 0; i < times; ++i)
        out << frame;
    return out;
}

// Settings of a scratch folder in which the window speaks the given language.
inline QByteArray LinkSettings(const char *language)
{
    const QString text = QStringLiteral("[SYSSET]\nSerialNumber=ttyS0\nLanguage=%1\nFirstRun=No\nStartBand=400\n"
                                        "EndBand=470\nVersion=1.01\nFilePathDef=./datafile/default.dat\n"
                                        "ChanNum=16\nChanLimit=1\nBandRangText=400MHz~470MHz\nLastMacModel=6B05\n"
                                        "SoftName=HT-6B05\nChCompName=开源\nEnCompName=Open Radio Tools\n")
            .arg(QLatin1String(language));
    return QTextCodec::codecForName("GB2312")->fromUnicode(text);
}

class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
    static uint16_t model(MainWindow &w) { return w.m_model; }
    static bool busy(MainWindow &w) { return w.m_linkBusy; }
    static void read(MainWindow &w) { w.SlotRadioReadFreqOp(); }
    static void write(MainWindow &w) { w.SlotRadioWriteFreqOp(); }
    static void getRadioData(MainWindow &w) { w.GetRadioData(); }
    static QString versionText(MainWindow &w)
    {
        return w.findChild<QLabel *>(QStringLiteral("label_RadioVersion"))->text();
    }
    static QStackedWidget *stack(MainWindow &w) { return w.findChild<QStackedWidget *>(QStringLiteral("stackedWidget")); }
};

// Watches the progress panel of the operations run on a main window: what it
// looked like when shown and every value its bar took.
class PanelWatcher : public QObject
{
public:
    explicit PanelWatcher(MainWindow *w) : m_w(w) { w->installEventFilter(this); }

    int panels = 0;
    QRect geometry;
    QString title;
    QString labelWhenShown;
    QStringList labelTexts;        // label text at each bar change
    QList<int> values;
    bool windowEnabledDuringOp = true;
    bool busyDuringOp = false;
    bool closeRefusedDuringOp = false;

protected:
    bool eventFilter(QObject *obj, QEvent *event) override
    {
        if (obj == m_w && event->type() == QEvent::ChildPolished) {
            auto *panel = qobject_cast<COMPROCESS_Form *>(static_cast<QChildEvent *>(event)->child());
            if (panel)
                attach(panel);
        }
        return false;
    }

private:
    void attach(COMPROCESS_Form *panel)
    {
        ++panels;
        geometry = panel->geometry();
        title = panel->windowTitle();
        auto *label = panel->findChild<QLabel *>(QStringLiteral("label"));
        auto *bar = panel->findChild<QProgressBar *>(QStringLiteral("progressBar"));
        labelWhenShown = label->text();
        QObject::connect(bar, &QProgressBar::valueChanged, this, [this, label](int v) {
            if (values.isEmpty()) {
                windowEnabledDuringOp = m_w->isEnabled();
                busyDuringOp = MainWindowProbe::busy(*m_w);
                closeRefusedDuringOp = !m_w->close();
            }
            values << v;
            labelTexts << label->text();
        });
    }

    MainWindow *m_w;
};

// Bar values of a complete transfer: 5, then one per block, then 100.
inline QList<int> FullProgress()
{
    return {5, 8, 11, 14, 18, 21, 24, 27, 31, 34, 37, 41, 44, 47, 50, 54, 57, 60, 63, 67, 70, 73, 77, 80, 83, 86,
            90, 93, 96, 100};
}
