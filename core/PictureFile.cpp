#include "core/PictureFile.h"

#include "core/FileExtension.h"
#include "core/FitPicture.h"
#include "core/JpegDecoder.h"
#include "storage/AppError.h"
#include "storage/FileBytes.h"
#include "storage/FileNames.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {

QImage fittedJpeg(const QString& path) {
    const DecodedJpeg jpeg = jpegdecoder::decodeJpegFile(
        path, [](QSize fullSize) { return picturefit::fitPictureFrame(fullSize).size(); });
    return picturefit::FitPicture(jpeg.image, jpeg.fullSize);
}

// A picture Qt's image readers read, turned upright as its own data says
// (the orientation of a TIFF, say).
QImage fittedByReader(const QString& path, const QByteArray& format) {
    QImageReader reader(path, format);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        throw AppError(reader.errorString());
    return picturefit::FitPicture(image);
}

QImage fittedPicture(const QString& path, PictureFileType type) {
    switch (type) {
    case PictureFileType::Jpeg:
        return fittedJpeg(path);
    case PictureFileType::Bmp:
        return fittedByReader(path, "bmp");
    case PictureFileType::Image:
        return fittedByReader(path, {});
    case PictureFileType::Other:
        break;
    }
    return {};
}

QStringList readableExtensions() {
    QStringList extensions;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        extensions << u'.' + QString::fromLatin1(format).toUpper();
    return extensions;
}

} // namespace

namespace picturefile {

PictureFileType pictureFileTypeOf(const QString& path) {
    static const QStringList readable = readableExtensions();
    const QString extension = fileextension::upperCaseExtension(path);
    if (extension == u".JPG" || extension == u".JPEG")
        return PictureFileType::Jpeg;
    if (extension == u".BMP")
        return PictureFileType::Bmp;
    if (readable.contains(extension))
        return PictureFileType::Image;
    return PictureFileType::Other;
}

QStringList picturePatterns() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString extension = QString::fromLatin1(format).toLower();
        patterns << QStringLiteral("*.") + extension << QStringLiteral("*.") + extension.toUpper();
    }
    return patterns;
}

QImage loadFittedPicture(const QString& path) {
    try {
        return fittedPicture(path, picturefile::pictureFileTypeOf(path));
    } catch (const AppError& error) {
        throw AppError(QStringLiteral("Obrázek \"%1\" nelze přečíst: %2").arg(path, error.text()));
    }
}

void savePictureFile(const QImage& picture, const QString& dir, const QString& fileName) {
    // 24 bits a pixel: the BMP writer keeps a fourth byte only for an alpha channel.
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    QSaveFile file(dir + fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(file.errorString());
    QImageWriter writer(&file, "bmp");
    if (!writer.write(opaque))
        throw AppError(writer.errorString());
    if (!file.commit())
        throw AppError(file.errorString());
    filenames::pathForWriting(dir, fileName);
}

void savePictureBytes(const QByteArray& bitmap, const QString& dir, const QString& fileName) {
    filebytes::writeSafely(dir + fileName, bitmap);
    filenames::pathForWriting(dir, fileName);
}

bool storePictureFile(const QString& sourcePath, const QString& dir, const QString& fileName) {
    const QImage picture = picturefile::loadFittedPicture(sourcePath);
    if (picture.isNull())
        return false;
    picturefile::savePictureFile(picture, dir, fileName);
    return true;
}

PictureRemoval removePictureFile(const QString& dir, const QString& fileName) {
    const QString path = filenames::existingPath(dir, fileName);
    if (path.isEmpty())
        return PictureRemoval::NoPicture;
    return QFile::remove(path) ? PictureRemoval::Removed : PictureRemoval::Failed;
}

} // namespace picturefile
