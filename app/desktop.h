#pragma once

#include <QUrl>

#include <functional>

// The desktop's own programs, behind a seam tests can replace.
namespace Desktop {

// Opens a URL with the program the desktop chooses for it (a local HTML
// page: the default browser); false when nothing could. Defaults to
// QDesktopServices::openUrl.
extern std::function<bool(const QUrl &)> OpenUrl;

} // namespace Desktop
