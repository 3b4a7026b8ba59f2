#include "core/ExifOrientation.h"

#include <QTransform>

#include <algorithm>
#include <optional>

namespace exiforientation {

namespace {

constexpr quint16 kOrientationTag = 0x0112;
constexpr int kIfdEntrySize = 12;

// Reads the numbers of the TIFF data inside an EXIF segment, in its byte order.
class TiffData {
public:
    explicit TiffData(QByteArrayView bytes) : bytes_(bytes) {}

    bool readByteOrder() {
        if (bytes_.startsWith("II"))
            littleEndian_ = true;
        else if (bytes_.startsWith("MM"))
            littleEndian_ = false;
        else
            return false;
        return true;
    }

    std::optional<quint32> u16(qsizetype at) const {
        if (at < 0 || at + 2 > bytes_.size())
            return std::nullopt;
        const auto b = [&](qsizetype i) { return quint32(quint8(bytes_.at(at + i))); };
        return littleEndian_ ? b(0) | b(1) << 8 : b(0) << 8 | b(1);
    }

    std::optional<quint32> u32(qsizetype at) const {
        const auto first = u16(at);
        const auto second = u16(at + 2);
        if (!first || !second)
            return std::nullopt;
        return littleEndian_ ? *first | *second << 16 : *first << 16 | *second;
    }

private:
    QByteArrayView bytes_;
    bool littleEndian_ = true;
};

// The orientation among the entries of the first image file directory.
int orientationInTiff(QByteArrayView tiff) {
    TiffData data(tiff);
    if (!data.readByteOrder())
        return 1;
    const auto directory = data.u32(4);
    if (!directory)
        return 1;
    const auto entries = data.u16(*directory);
    for (quint32 i = 0; entries && i < *entries; ++i) {
        const qsizetype entry = *directory + 2 + qsizetype(i) * kIfdEntrySize;
        if (data.u16(entry) == kOrientationTag) {
            const auto value = data.u16(entry + 8);
            return value && *value >= 1 && *value <= 8 ? int(*value) : 1;
        }
    }
    return 1;
}

quint32 segmentLength(const QByteArray& jpeg, qsizetype at) {
    return quint32(quint8(jpeg.at(at))) << 8 | quint8(jpeg.at(at + 1));
}

} // namespace

int ofJpeg(const QByteArray& jpeg) {
    static const QByteArray exifHeader("Exif\0\0", 6);
    if (!jpeg.startsWith("\xFF\xD8"))
        return 1;
    qsizetype at = 2;
    // The EXIF segment (APP1) comes among the markers before the picture data.
    while (at + 4 <= jpeg.size() && quint8(jpeg.at(at)) == 0xFF) {
        const quint8 marker = quint8(jpeg.at(at + 1));
        if (marker == 0xDA || marker == 0xD9) // start of scan, end of image
            break;
        const qsizetype length = segmentLength(jpeg, at + 2);
        const qsizetype start = at + 4;
        const qsizetype size = std::min(length - 2, jpeg.size() - start);
        if (size < 0)
            break;
        const QByteArrayView segment = QByteArrayView(jpeg).sliced(start, size);
        if (marker == 0xE1 && segment.startsWith(exifHeader))
            return orientationInTiff(segment.sliced(exifHeader.size()));
        at += 2 + qsizetype(length);
    }
    return 1;
}

QImage upright(const QImage& image, int orientation) {
    const auto turned = [&image](int degrees) {
        return image.transformed(QTransform().rotate(degrees));
    };
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return turned(90).mirrored(true, false);
    case 6:
        return turned(90);
    case 7:
        return turned(90).mirrored(false, true);
    case 8:
        return turned(270);
    default:
        return image;
    }
}

} // namespace exiforientation
