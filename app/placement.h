#pragma once

#include <QPoint>
#include <QSize>

// Where the main window opens: centred horizontally, one third of the free
// height above it. Signed division truncating toward zero.
inline QPoint MainWindowPosition(const QSize &desktop, const QSize &window)
{
    return QPoint((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 3);
}
