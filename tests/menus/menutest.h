#pragma once

#include "app/mainwindow.h"

#include <QAction>
#include <QByteArray>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTextCodec>

class MainWindowProbe
{
public:
    static QString filePath(MainWindow &w) { return w.m_filePath; }
    static QString language(MainWindow &w) { return w.m_set.Language; }
};

namespace menutest {

// A settings file with no first-run handling; texts are GB2312 on disk.
inline QByteArray settings(const QString &port, const QString &language)
{
    const QString body = QStringLiteral(
            "[SYSSET]\nSerialNumber=%1\nLanguage=%2\nFirstRun=No\nStartBand=400\nEndBand=470\n"
            "Version=1.01\nFilePathDef=./datafile/default.dat\nChanNum=16\nChanLimit=1\n"
            "BandRangText=400MHz~470MHz\nLastMacModel=6B05\nSoftName=HT-6B05\n"
            "ChCompName=开源对讲机工具组\nEnCompName=Open Radio Tools\n").arg(port, language);
    return QTextCodec::codecForName("GB2312")->fromUnicode(body);
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline QMenu *menuAt(MainWindow &w, int i)
{
    return w.menuBar()->actions().value(i) ? w.menuBar()->actions().at(i)->menu() : nullptr;
}

// The action of the window with this text (menus and tool bar share them).
inline QAction *action(MainWindow &w, const QString &text)
{
    for (QAction *m : w.menuBar()->actions())
        if (m->menu())
            for (QAction *a : m->menu()->actions())
                if (a->text() == text)
                    return a;
    return nullptr;
}

} // namespace menutest
