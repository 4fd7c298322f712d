#pragma once

// End-to-end helpers of the link tests: the emulated radio as a real process
// on a pseudo-terminal, and a main window in a scratch folder.

#include "app/mainwindow.h"
#include "link/comprocess_form.h"
#include "link/serial.h"

#include "scratchdir.h"

#include <QtTest>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTextCodec>

// radiocps-sim with --trace and the given options; the first line it prints
// is the path of its port.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &args = {})
    {
        m_proc.start(QStringLiteral(RUN_DIR "/radiocps-sim"), QStringList{"--trace"} + args);
        if (m_proc.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~SimProcess() { stop(); }

    QString port() const { return m_port; }

    // Stops the emulator; it saves its image if asked to.
    void stop()
    {
        m_proc.terminate();
        m_proc.waitForFinished(5000);
    }

    // Hex frames the emulator received ("rx") or sent ("tx") so far.
    QStringList frames(const char *direction = "rx")
    {
        m_err += m_proc.readAllStandardError();
        QStringList out;
        for (const QString &line : QString::fromLatin1(m_err).split('\n'))
            if (line.startsWith(QLatin1String(direction) + ' '))
                out << line.mid(3);
        return out;
    }

private:
    QProcess m_proc;
    QString m_port;
    QByteArray m_err;
};

// A 452-byte image whose window bytes differ from their neighbours; header
// 05 6B 02 07.
inline QByteArray PatternImage(int seed)
{
    QByteArray image = QByteArray::fromHex("056B0207");
    for (int i = kHeaderSize; i < kImageSize; ++i)
        image += static_cast<char>((i * 7 + seed) & 0xFF);
    return image;
}

inline QByteArray Bytes(const RadioData_S &image, int from = 0, int count = kImageSize)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes()) + from, count);
}
inline QByteArray Window(const RadioData_S &image) { return Bytes(image, kHeaderSize, kImageSize - kHeaderSize); }
inline QByteArray Window(const QByteArray &image) { return image.mid(kHeaderSize); }

// Request frames as hex text.
inline QString ConnectFrame() { return QStringLiteral("FEA5E0056B00FDFD"); }
inline QString EndFrame() { return QStringLiteral("FEA5E6056B00FDFD"); }
inline QString ReadFrame(int block) { return QString::asprintf("FEA5E2%04X00FDFD", kWindowBase + kBlockSize * block); }
inline QString WriteFrame(int block, const RadioData_S &image)
{
    return QString::asprintf("FEA5E4%04X10", kWindowBase + kBlockSize * block)
            + Bytes(image, kHeaderSize + kBlockSize * block, kBlockSize).toHex().toUpper() + "FDFD";
}
inline QStringList Frames(int count, const QString &frame) { return QVector<QString>(count, frame).toList(); }

// A scratch folder in which the main window speaks the given language.
inline void UseLanguage(const ScratchDir &scratch, const char *language)
{
    const QString text = QStringLiteral("[SYSSET]\nSerialNumber=ttyS0\nLanguage=%1\nFirstRun=No\nStartBand=400\n"
                                        "EndBand=470\nVersion=1.01\nFilePathDef=./datafile/default.dat\nChanNum=16\n"
                                        "ChanLimit=1\nBandRangText=400MHz~470MHz\nLastMacModel=6B05\nSoftName=HT\n")
            .arg(QLatin1String(language));
    scratch.writeFile("datafile/sysset.ini", QTextCodec::codecForName("GB2312")->fromUnicode(text));
}

class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
    static bool busy(MainWindow &w) { return w.m_linkBusy; }
    static void read(MainWindow &w) { w.SlotRadioReadFreqOp(); }
    static void write(MainWindow &w) { w.SlotRadioWriteFreqOp(); }
    static void getRadioData(MainWindow &w) { w.GetRadioData(); }
    static QString version(MainWindow &w) { return w.findChild<QLabel *>("label_RadioVersion")->text(); }
    static QStackedWidget *stack(MainWindow &w) { return w.findChild<QStackedWidget *>("stackedWidget"); }
};

// Watches the progress panel of an operation: how it was shown, and every
// value its bar took with the label beside it.
class PanelWatcher : public QObject
{
public:
    explicit PanelWatcher(MainWindow *w) : m_w(w) { w->installEventFilter(this); }

    QRect geometry;
    QString title, labelWhenShown, labelDuringOp;
    QList<int> values;
    bool windowEnabledDuringOp = true, busyDuringOp = false, closeRefusedDuringOp = false;

protected:
    bool eventFilter(QObject *obj, QEvent *event) override
    {
        COMPROCESS_Form *panel = nullptr;
        if (obj == m_w && event->type() == QEvent::ChildPolished
            && (panel = qobject_cast<COMPROCESS_Form *>(static_cast<QChildEvent *>(event)->child()))) {
            geometry = panel->geometry();
            title = panel->windowTitle();
            auto *label = panel->findChild<QLabel *>("label");
            labelWhenShown = label->text();
            connect(panel->findChild<QProgressBar *>("progressBar"), &QProgressBar::valueChanged, this,
                    [this, label](int v) {
                        if (values.isEmpty()) {
                            labelDuringOp = label->text();
                            windowEnabledDuringOp = m_w->isEnabled();
                            busyDuringOp = MainWindowProbe::busy(*m_w);
                            closeRefusedDuringOp = !m_w->close();
                        }
                        values << v;
                    });
        }
        return false;
    }

private:
    MainWindow *m_w;
};

// Bar values of a complete transfer: 5, one per block, 100.
inline QList<int> FullProgress()
{
    return {5, 8, 11, 14, 18, 21, 24, 27, 31, 34, 37, 41, 44, 47, 50,
            54, 57, 60, 63, 67, 70, 73, 77, 80, 83, 86, 90, 93, 96, 100};
}
