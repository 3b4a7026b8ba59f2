#include "core/JpegDecoder.h"

#include "core/ExifOrientation.h"
#include "storage/AppError.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg's default error handler ends the process; this one jumps back to the
// decoding function with the message, which then becomes an AppError.
struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (a truncated file, for one) leave a picture that is still worth
// showing, so decoding goes on and nothing is printed.
void onWarning(j_common_ptr, int) {}

// The smallest scale n/8 at which libjpeg's output still covers target.
void chooseScale(jpeg_decompress_struct& info, QSize target) {
    info.scale_denom = 8;
    info.scale_num = 8;
    if (!target.isValid())
        return;
    for (unsigned int num = 1; num < 8; ++num) {
        info.scale_num = num;
        jpeg_calc_output_dimensions(&info);
        if (int(info.output_width) >= target.width() && int(info.output_height) >= target.height())
            return;
    }
    info.scale_num = 8;
}

// When the picture is decoded only to be shrunk, the faster integer transform and
// plain upsampling cost nothing visible.
void preferSpeed(jpeg_decompress_struct& info) {
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
}

QImage::Format chooseOutput(jpeg_decompress_struct& info) {
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        return QImage::Format_Grayscale8;
    case JCS_CMYK:
    case JCS_YCCK:
        // Four bytes a pixel, converted to RGB in place row by row.
        info.out_color_space = JCS_CMYK;
        return QImage::Format_RGB32;
    default:
        info.out_color_space = JCS_RGB;
        return QImage::Format_RGB888;
    }
}

// CMYK JPEGs are written with inverted values (as Adobe's programs write them),
// so a channel times the black channel gives the colour directly.
void cmykRowToRgb(uchar* row, int width) {
    auto* pixel = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        const uchar* cmyk = row + 4 * x;
        const int k = cmyk[3];
        pixel[x] = qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
    }
}

// All libjpeg calls live here, between setjmp and the return, with no object
// that needs a destructor created in between: a longjmp from libjpeg skips
// nothing but plain data. The image is owned by the caller for the same reason.
bool decompress(const QByteArray& data, const std::function<QSize(QSize)>& targetSizeFor,
                DecodedJpeg& result, ErrorManager& manager) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onFatalError;
    manager.base.emit_message = onWarning;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    result.fullSize = QSize(int(info.image_width), int(info.image_height));
    if (targetSizeFor) {
        chooseScale(info, targetSizeFor(result.fullSize));
        preferSpeed(info);
    }
    const QImage::Format format = chooseOutput(info);
    jpeg_start_decompress(&info);
    result.image = QImage(int(info.output_width), int(info.output_height), format);
    if (result.image.isNull()) {
        std::snprintf(manager.message, sizeof manager.message, "Image too large (%ux%u)",
                      info.output_width, info.output_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
        if (info.out_color_space == JCS_CMYK)
            cmykRowToRgb(row, int(info.output_width));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

namespace jpegdecoder {

DecodedJpeg decodeJpegFile(const QString& path,
                           const std::function<QSize(QSize fullSize)>& targetSizeFor) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(file.errorString());
    const QByteArray data = file.readAll();
    // A picture lying on its side is decoded as it lies; the caller sees it upright.
    const int orientation = exiforientation::ofJpeg(data);
    const bool swapped = exiforientation::swapsSides(orientation);
    std::function<QSize(QSize)> lyingTargetFor;
    if (targetSizeFor) {
        lyingTargetFor = [&](QSize lyingSize) {
            const QSize target = targetSizeFor(swapped ? lyingSize.transposed() : lyingSize);
            return swapped ? target.transposed() : target;
        };
    }
    DecodedJpeg result;
    ErrorManager manager;
    if (!decompress(data, lyingTargetFor, result, manager))
        throw AppError(QString::fromLocal8Bit(manager.message));
    result.image = exiforientation::upright(result.image, orientation);
    if (swapped)
        result.fullSize.transpose();
    return result;
}

} // namespace jpegdecoder
