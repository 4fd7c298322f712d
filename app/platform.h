#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Small platform layer: what differs between Windows and the other systems.
namespace Platform {

// Extension the save dialog gives a name typed without one. The Windows
// dialog takes it from the "*.dat" filter itself; Qt's own dialog needs it
// set, and then also asks before replacing an existing name.dat.
QString SaveDialogDefaultSuffix();

// Whether a triggered action is a port choice. Windows port names all
// begin with "COM", so the text alone tells; elsewhere ("ttyUSB0",
// "/dev/serial/by-id/...") only membership of the port menu does.
bool IsPortEntry(const QString &text, bool inPortMenu);

// Whether the stored port names an existing character device by its full
// path (a /dev/serial/by-id/ link, a pseudo-terminal such as /dev/pts/3 or
// a link to one).
// Such a port is not in the platform's port list but can be opened. Always
// false on Windows.
bool IsDevicePath(const QString &port);

// The entries of the port menu: the platform's port names in reverse order,
// followed by the stored port when it is a device path (IsDevicePath) not
// otherwise listed. `checked` is the entry equal to the stored port, -1 when
// there is none.
struct PortMenuEntries {
    QStringList names;
    int checked = -1;
};
PortMenuEntries PortMenuEntriesFor(const QStringList &platformNames, const QString &stored);

// Folder of Qt's own catalogues (qtbase_zh_CN.qm): beside the program on
// Windows, where the installer puts them; Qt's translations folder elsewhere
// (Debian's qttranslations5-l10n).
QString QtCatalogueDir();

// The restart of a language switch goes through this, so tests can watch
// it: StartDetached(program, arguments, workingDirectory), by default
// QProcess::startDetached.
extern std::function<bool(const QString &, const QStringList &, const QString &)> StartDetached;

} // namespace Platform
