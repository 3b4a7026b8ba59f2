#include "core/FitPicture.h"

#include <QPainter>

namespace {

// The scaled length of the shorter side: scale as a double, the product kept
// in extended precision until its fraction is cut off.
int scaledLength(int length, double scale) {
    const long double product = static_cast<long double>(length) * static_cast<long double>(scale);
    return static_cast<int>(product);
}

} // namespace

namespace picturefit {

QRect fitPictureFrame(QSize sourceSize) {
    const int width = sourceSize.width();
    const int height = sourceSize.height();
    if (width <= 0 || height <= 0)
        return {};
    if (width > height) {
        const int drawn = scaledLength(height, double(kPictureWidth) / width);
        return QRect(0, (kPictureHeight - drawn) / 2, kPictureWidth, drawn);
    }
    const int drawn = scaledLength(width, double(kPictureHeight) / height);
    return QRect((kPictureWidth - drawn) / 2, 0, drawn, kPictureHeight);
}

QImage FitPicture(const QImage& source, QSize fullSize) {
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QRect frame = picturefit::fitPictureFrame(fullSize.isValid() ? fullSize : source.size());
    if (frame.isEmpty() || source.isNull())
        return picture;
    // Scaling first with a smoothing filter keeps a large photo from turning
    // into a grainy thumbnail; drawing composes any transparency onto white.
    const QImage scaled =
        source.scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    painter.drawImage(frame.topLeft(), scaled);
    return picture;
}

} // namespace picturefit
