#include "print/MakeGray.h"

#include <QImage>

namespace gray {

void MakeGray(QImage& image) {
    image = image.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* pixel = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, pixel += 3) {
            const uchar v = uchar((pixel[0] + pixel[1] + pixel[2]) / 3);
            pixel[0] = pixel[1] = pixel[2] = v;
        }
    }
}

} // namespace gray
