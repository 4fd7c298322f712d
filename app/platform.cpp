#include "platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace Platform {

QString SaveDialogDefaultSuffix()
{
#ifdef Q_OS_WIN
    return QString();
#else
    return QStringLiteral("dat");
#endif
}

QString QtCatalogueDir()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

bool IsPortEntry(const QString &text, bool inPortMenu)
{
#ifdef Q_OS_WIN
    Q_UNUSED(inPortMenu)
    return text.left(3) == QLatin1String("COM");
#else
    Q_UNUSED(text)
    return inPortMenu;
#endif
}

bool IsDevicePath(const QString &port)
{
#ifdef Q_OS_WIN
    Q_UNUSED(port)
    return false;
#else
    if (!port.startsWith(QLatin1Char('/')))
        return false;
    struct stat st;   // follows links: by-id names are links to the tty node
    return ::stat(QFile::encodeName(port).constData(), &st) == 0 && S_ISCHR(st.st_mode);
#endif
}

PortMenuEntries PortMenuEntriesFor(const QStringList &platformNames, const QString &stored)
{
    PortMenuEntries menu;
    for (int i = platformNames.size() - 1; i >= 0; --i) {
        if (platformNames.at(i) == stored)
            menu.checked = menu.names.size();
        menu.names.append(platformNames.at(i));
    }
    if (menu.checked < 0 && IsDevicePath(stored)) {
        menu.checked = menu.names.size();
        menu.names.append(stored);
    }
    return menu;
}

std::function<bool(const QString &, const QStringList &, const QString &)> StartDetached =
        [](const QString &program, const QStringList &arguments, const QString &workingDirectory) {
            return QProcess::startDetached(program, arguments, workingDirectory);
        };

} // namespace Platform
