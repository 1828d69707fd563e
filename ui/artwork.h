// The program's pictures, drawn from the SVG files built into the program.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace wegator {

// The program icon (a droplet with a thermometer), usable at any size.
QIcon ProgramIcon();
// The icon as a square picture of `size` pixels (device-independent).
QPixmap ProgramPicture(int size, qreal devicePixelRatio = 1.0);
// The wide picture above the language dialog and in the About box.
QPixmap BannerPicture(qreal devicePixelRatio = 1.0);

}  // namespace wegator
