// Opening web and mail addresses and local files with the desktop's own
// handler. Everything the program opens goes through here; no command line is
// ever built from text. Tests put a recording opener in place.
#pragma once

#include <functional>

#include <QUrl>

namespace wegator {

using UrlOpener = std::function<bool(const QUrl&)>;

// Returns whether the desktop accepted the address.
bool OpenUrl(const QUrl& url);
// Replaces the desktop's handler; an empty function restores it.
void SetUrlOpener(UrlOpener opener);

}  // namespace wegator
