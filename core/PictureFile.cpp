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
    const DecodedJpeg jpeg =
        DecodeJpegFile(path, [](QSize fullSize) { return FitPictureFrame(fullSize).size(); });
    return FitPicture(jpeg.image, jpeg.fullSize);
}

QImage fittedBmp(const QString& path) {
    QImageReader reader(path, "bmp");
    const QImage image = reader.read();
    if (image.isNull())
        throw AppError(reader.errorString());
    return FitPicture(image);
}

} // namespace

PictureFileType PictureFileTypeOf(const QString& path) {
    const QString extension = UpperCaseExtension(path);
    if (extension == u".JPG" || extension == u".JPEG")
        return PictureFileType::Jpeg;
    if (extension == u".BMP")
        return PictureFileType::Bmp;
    return PictureFileType::Other;
}

QImage LoadFittedPicture(const QString& path) {
    switch (PictureFileTypeOf(path)) {
    case PictureFileType::Jpeg:
        return fittedJpeg(path);
    case PictureFileType::Bmp:
        return fittedBmp(path);
    case PictureFileType::Other:
        break;
    }
    return {};
}

void SavePictureFile(const QImage& picture, const QString& dir, const QString& fileName) {
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

void SavePictureBytes(const QByteArray& bitmap, const QString& dir, const QString& fileName) {
    filebytes::writeSafely(dir + fileName, bitmap);
    filenames::pathForWriting(dir, fileName);
}

bool StorePictureFile(const QString& sourcePath, const QString& dir, const QString& fileName) {
    const QImage picture = LoadFittedPicture(sourcePath);
    if (picture.isNull())
        return false;
    SavePictureFile(picture, dir, fileName);
    return true;
}

PictureRemoval RemovePictureFile(const QString& dir, const QString& fileName) {
    const QString path = filenames::existingPath(dir, fileName);
    if (path.isEmpty())
        return PictureRemoval::NoPicture;
    return QFile::remove(path) ? PictureRemoval::Removed : PictureRemoval::Failed;
}
