#pragma once

#include <QByteArray>
#include <QImage>

// The orientation mark a camera or phone writes into a JPEG file's EXIF data
// (the TIFF tag 0x0112): 1 upright, 2 mirrored, 3 upside down, 4 upside down
// and mirrored, 5 to 8 the same lying on a side, 6 "turn 90° clockwise".
namespace exiforientation {

// The orientation in the EXIF data of a JPEG file's bytes; 1 when the file
// has none or it cannot be read.
int ofJpeg(const QByteArray& jpeg);

// Whether the picture lies on a side, its width and height swapped.
inline bool swapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The picture turned and mirrored as its orientation says, so that it stands upright.
QImage upright(const QImage& image, int orientation);

} // namespace exiforientation
