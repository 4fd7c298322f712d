#pragma once

// A main window in a scratch folder, linked to the emulated radio as a real
// process on a pseudo-terminal.

#include "link/comprocess_form.h"
#include "link/serial.h"

#include "gui.h"
#include "imagebytes.h"
#include "mainwindowprobe.h"
#include "modalcloser.h"
#include "scratchdir.h"
#include "simprocess.h"

#include <QtTest>
#include <QLabel>
#include <QProgressBar>

// Bar values of a complete transfer: 5, one per block, 100.
const QList<int> kFullProgress = {5,  8,  11, 14, 18, 21, 24, 27, 31, 34, 37, 41, 44, 47, 50,
                                   54, 57, 60, 63, 67, 70, 73, 77, 80, 83, 86, 90, 93, 96, 100};

// A main window speaking Chinese, its port an emulated radio started with the
// given options (version 2.7, image `radio`, saved to saved.dat when it
// stops). It watches the progress panel of operations: every value of its
// bar, and at the first one the panel's title and label and whether the
// window was disabled and refused to close.
class Link : public QObject
{
public:
    explicit Link(const QStringList &options = {})
        : sim(QStringList{"--image", Radio(scratch, radio), "--save", scratch.file("saved.dat"), "--version", "2.7"}
              + options)
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
    // Saves the window to a file of the scratch folder; its bytes.
    QByteArray save(const QString &name)
    {
        ModalCloser closer;
        w.MenuActionSaveFile(scratch.file(name));
        return scratch.readFile(name);
    }
    QString version() const { return Label(w, "label_RadioVersion"); }

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
                    seen = QStringList{panel->windowTitle(), Label(*panel, "label"),
                                       w.isEnabled() ? "enabled" : "disabled",
                                       w.close() ? "closed" : "close refused"}.join('|');
                values << v;
                if (values.size() == killAt)
                    sim.kill();
            });
        return false;
    }

private:
    // The radio's image file, in a folder whose settings speak Chinese.
    static QString Radio(const ScratchDir &scratch, const QByteArray &radio)
    {
        scratch.setLanguage("Chinese");
        scratch.writeFile("radio.dat", radio);
        return scratch.file("radio.dat");
    }
};
