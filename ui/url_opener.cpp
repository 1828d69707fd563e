#include "url_opener.h"

#include <QDesktopServices>

namespace wegator {

namespace {
UrlOpener& Installed() {
    static UrlOpener opener;
    return opener;
}
}  // namespace

bool OpenUrl(const QUrl& url) {
    if (Installed()) return Installed()(url);
    return QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) { Installed() = std::move(opener); }

}  // namespace wegator
