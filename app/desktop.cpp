#include "desktop.h"

#include <QDesktopServices>

std::function<bool(const QUrl &)> Desktop::OpenUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
