#include "artwork.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library; this makes sure they are linked in
// and registered before the first picture is drawn.
static void InitWegatorResources() { Q_INIT_RESOURCE(wegator); }

namespace wegator {

namespace {

constexpr const char* kIconFile = ":/icons/wegator.svg";
constexpr const char* kBannerFile = ":/icons/wegator_banner.svg";

QPixmap Render(const char* file, QSize size, qreal ratio) {
    InitWegatorResources();
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer{QString::fromLatin1(file)};
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(Render(kIconFile, QSize(size, size), 1.0));
    return icon;
}

QPixmap ProgramPicture(int size, qreal devicePixelRatio) {
    return Render(kIconFile, QSize(size, size), devicePixelRatio);
}

QPixmap BannerPicture(qreal devicePixelRatio) {
    InitWegatorResources();
    QSvgRenderer renderer{QString::fromLatin1(kBannerFile)};
    return Render(kBannerFile, renderer.defaultSize(), devicePixelRatio);
}

}  // namespace wegator
