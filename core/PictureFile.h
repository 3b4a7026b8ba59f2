#pragma once

#include <QImage>
#include <QString>

// How a chosen or dropped picture file is read, told by its extension without
// regard to case: JPEG by libjpeg, BMP and every other format Qt's image readers
// on this machine know (PNG, WebP, GIF, TIFF...) by those readers.
enum class PictureFileType { Jpeg, Bmp, Image, Other };
namespace picturefile {

PictureFileType pictureFileTypeOf(const QString& path);

// The file patterns of every picture file that can be chosen, in both letter cases.
QStringList picturePatterns();

// The file at path decoded by its extension, turned upright as its EXIF or TIFF
// orientation says, and fitted into the card picture (FitPicture). Throws
// AppError naming the file, with the decoder's text, when it cannot be decoded;
// a null image for an extension no reader knows.
QImage loadFittedPicture(const QString& path);

// Writes picture as a 24-bit BMP file to dir + fileName. The file is written
// under a temporary name in dir and renamed over the old one only when complete,
// so a failure (AppError) leaves the previous picture file as it was. A file in
// dir whose name differs from fileName only in letter case is removed, so that
// one picture member never stands for two.
void savePictureFile(const QImage& picture, const QString& dir, const QString& fileName);

// Writes the bytes of a picture member (a BMP file, from an earlier version of
// the card, say) unchanged to dir + fileName, as safely as picturefile::savePictureFile and
// with the same removal of other spellings.
void savePictureBytes(const QByteArray& bitmap, const QString& dir, const QString& fileName);

// The file part of choosing a picture for a card: decodes sourcePath, fits it
// and saves it as dir + fileName. Returns false, writing nothing, when the
// extension is no picture's.
bool storePictureFile(const QString& sourcePath, const QString& dir, const QString& fileName);

} // namespace picturefile

enum class PictureRemoval { NoPicture, Removed, Failed };

namespace picturefile {

// Removes the picture member dir + fileName (found in any letter case).
PictureRemoval removePictureFile(const QString& dir, const QString& fileName);

} // namespace picturefile
