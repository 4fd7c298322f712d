#include "releaseinfo.h"

#include <QStringList>

QString ReleaseTimeText(const QString &buildDate, const QString &buildTime)
{
    static const QStringList months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QString year = buildDate.right(4);
    const int month = months.indexOf(buildDate.left(3)) + 1;
    const QString day = buildDate.mid(4, 2);
    return year + "-" + QString::number(month) + "-" + day + " " + buildTime;
}

QString ClockText(const QDateTime &now)
{
    return now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString StatusFileName(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')))
        return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    QString s = path;
    int slash;
    while ((slash = s.indexOf(QLatin1Char('/'))) > 0)
        s = s.mid(slash + 1);
    return s;
}
