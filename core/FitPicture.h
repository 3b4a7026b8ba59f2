#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// Every picture that enters a card is stored at this size, the source fitted inside.
inline constexpr int kPictureWidth = 320;
inline constexpr int kPictureHeight = 240;

namespace picturefit {

// Where a picture of the given size lands inside the 320 x 240 card picture: the
// longer side fills the picture, the other is scaled alike and centred. The scale
// is a double and the product is cut off in 80-bit precision, so a product that is
// mathematically whole may come out one pixel short (1920 x 1080 gives 320 x 179
// at top 30): card pictures made elsewhere come out the same to the pixel.
QRect fitPictureFrame(QSize sourceSize);

// A new white 320 x 240 picture with source stretched into the frame that
// fullSize calls for. fullSize is the picture's true size when source was
// decoded at a reduced scale; by default the source's own size.
QImage FitPicture(const QImage& source, QSize fullSize = QSize());

} // namespace picturefit
