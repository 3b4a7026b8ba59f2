#include "bench/Bench.h"
#include "core/FitPicture.h"
#include "core/JpegDecoder.h"
#include "core/PictureFile.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

namespace {

// A 24-megapixel photo stand-in: smooth gradients with fine detail, so that the
// JPEG carries as much data as a real photo of that size.
QString makeLargeJpeg(const QString& dir) {
    QImage image(6000, 4000, QImage::Format_RGB32);
    quint32 noise = 2463534242u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = int(noise & 0x3f) - 32;
            line[x] = qRgb(qBound(0, x / 24 + grain, 255), qBound(0, y / 16 + grain, 255),
                           qBound(0, ((x + y) / 40) + grain, 255));
        }
    }
    const QString path = dir + QStringLiteral("/photo.jpg");
    image.save(path, "JPG", 90);
    return path;
}

} // namespace

BENCHMARK("picture: fit a 6000x4000 JPEG into the card picture") {
    QTemporaryDir dir;
    const QString jpeg = makeLargeJpeg(dir.path());
    bench::print(QStringLiteral("JPEG of %1 MB").arg(QFileInfo(jpeg).size() / 1e6, 0, 'f', 1));
    const double store = bench::medianMs(7, [&] {
        picturefile::storePictureFile(jpeg, dir.path() + u'/', QStringLiteral("Karta1.bmp"));
    });
    bench::print(QStringLiteral("decode, fit and save as the BMP member: median %1 ms")
                     .arg(store, 0, 'f', 1));
    const double reduced = bench::medianMs(7, [&] {
        jpegdecoder::decodeJpegFile(
            jpeg, [](QSize fullSize) { return picturefit::fitPictureFrame(fullSize).size(); });
    });
    bench::print(QStringLiteral("of which decoding at the reduced scale: median %1 ms")
                     .arg(reduced, 0, 'f', 1));
    const double full = bench::medianMs(3, [&] { jpegdecoder::decodeJpegFile(jpeg); });
    bench::print(
        QStringLiteral("for comparison, decoding at full size: median %1 ms").arg(full, 0, 'f', 1));
}
