#pragma once

#include <QIcon>
#include <QImage>

// Pictures built into the program.
namespace resources {

// The 320 x 240 black-and-white picture shown for a card without a picture.
QImage nselectBitmap();
// An icon from the desktop's icon theme, or the bundled one of the same name.
QIcon themedIcon(const QString& name);
QIcon applicationIcon();

} // namespace resources
