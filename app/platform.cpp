#include "platform.h"

#include <QFileInfo>

namespace Platform {

QString WithDataFileSuffix(const QString &path)
{
#ifdef Q_OS_WIN
    return path;
#else
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".dat");
#endif
}

} // namespace Platform
