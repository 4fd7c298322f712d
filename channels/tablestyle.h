#pragma once

#include <QColor>

// Look shared by the channel and FM tables: header style and the blue of
// the channel number column.
inline const char kTableHeaderStyle[] =
        "QHeaderView{font: 10pt; background-color: rgba(255, 255, 255, 0);} "
        "QHeaderView::section {background-color: rgba(0, 85, 255, 165);color: white;"
        "border: 1px solid rgb(255, 255, 255, 155);}";

inline QColor NumberColumnBackground()
{
    return QColor(0, 85, 255, 165);
}
