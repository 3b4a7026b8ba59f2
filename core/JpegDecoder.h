#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

struct DecodedJpeg {
    QImage image;   // as decoded, possibly at a reduced scale
    QSize fullSize; // the picture's true size
};

namespace jpegdecoder {

// Decodes a JPEG file with libjpeg, upright as its EXIF orientation says (the
// image and both sizes are those of the upright picture); a file libjpeg cannot decode throws
// AppError with libjpeg's own message. When targetSizeFor is given, it receives the true size and
// answers the size the caller will draw the picture at; libjpeg then decodes at the smallest of its
// reduced scales (1/8 to 8/8) that still covers that size, so fitting a large photo into a small
// card picture stays quick.
DecodedJpeg decodeJpegFile(const QString& path,
                           const std::function<QSize(QSize fullSize)>& targetSizeFor = {});

} // namespace jpegdecoder
