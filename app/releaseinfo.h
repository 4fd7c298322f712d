#pragma once

#include <QDateTime>
#include <QString>

// Status row values.

// Build stamp as year-month-day time: date "May 27 2021", time "14:07:16"
// give "2021-5-27 14:07:16". An unknown month gives month 0; a day below 10
// keeps its leading blank.
QString ReleaseTimeText(const QString &buildDate, const QString &buildTime);

// "yyyy-MM-dd hh:mm:ss".
QString ClockText(const QDateTime &now);

// The file name shown for a path: everything up to each "/" is dropped while
// the first "/" is not at position 0; a path beginning with "/" shows its
// last component.
QString StatusFileName(const QString &path);
