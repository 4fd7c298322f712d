#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

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

// The help viewer: "hh.exe" on Windows, the desktop's default opener
// elsewhere. Fills the program and its arguments for the help file.
void HelpViewer(const QString &helpFile, QString *program, QStringList *arguments);

// Process starts go through these, so tests can watch them.
// StartDetached(program, arguments, workingDirectory) defaults to
// QProcess::startDetached; StartProcess(process, program, arguments) to
// QProcess::start for reading and writing on Windows and to a detached start
// of the process's program elsewhere.
extern std::function<bool(const QString &, const QStringList &, const QString &)> StartDetached;
extern std::function<void(QProcess *, const QString &, const QStringList &)> StartProcess;

} // namespace Platform
