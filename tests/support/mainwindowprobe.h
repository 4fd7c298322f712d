#pragma once

#include "app/mainwindow.h"

#include <QByteArray>
#include <QUndoStack>

// The main window's private state, for tests (a friend of MainWindow).
class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
    static QByteArray bytes(MainWindow &w) { return QByteArray(reinterpret_cast<char *>(&w.m_image), kImageSize); }
    // The window bytes 4..451 as the pages hold them.
    static QByteArray pages(MainWindow &w) { return w.PagesImage().mid(kHeaderSize); }
    static QString filePath(MainWindow &w) { return w.m_filePath; }
    static bool busy(MainWindow &w) { return w.m_linkBusy; }
    static QUndoStack &history(MainWindow &w) { return *w.m_history; }
    // The read or write of the menu, as clicked.
    static void run(MainWindow &w, bool write) { write ? w.SlotRadioWriteFreqOp() : w.SlotRadioReadFreqOp(); }
};
