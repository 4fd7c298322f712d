#pragma once

#include <QString>

// Small platform layer: what differs between Windows and the other systems.
namespace Platform {

// A name chosen in the save dialog gets ".dat" when it has no extension.
// The Windows dialog adds the filter's extension itself; Qt's own dialog
// does not.
QString WithDataFileSuffix(const QString &path);

} // namespace Platform
