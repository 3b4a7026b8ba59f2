#pragma once

#include <QImage>
#include <QString>

// How a chosen or dropped picture file is read, told by its extension without
// regard to case.
enum class PictureFileType { Jpeg, Bmp, Other };
PictureFileType PictureFileTypeOf(const QString& path);

// The file at path decoded by its extension and fitted into the card picture
// (FitPicture). Throws AppError with the decoder's text when the file cannot be
// decoded; a null image for an extension that is neither JPEG nor BMP.
QImage LoadFittedPicture(const QString& path);

// Writes picture as a 24-bit BMP file to dir + fileName. The file is written
// under a temporary name in dir and renamed over the old one only when complete,
// so a failure (AppError) leaves the previous picture file as it was. A file in
// dir whose name differs from fileName only in letter case is removed, so that
// one picture member never stands for two.
void SavePictureFile(const QImage& picture, const QString& dir, const QString& fileName);

// Writes the bytes of a picture member (a BMP file, from an earlier version of
// the card, say) unchanged to dir + fileName, as safely as SavePictureFile and
// with the same removal of other spellings.
void SavePictureBytes(const QByteArray& bitmap, const QString& dir, const QString& fileName);

// The file part of choosing a picture for a card: decodes sourcePath, fits it
// and saves it as dir + fileName. Returns false, writing nothing, when the
// extension is neither JPEG nor BMP.
bool StorePictureFile(const QString& sourcePath, const QString& dir, const QString& fileName);

enum class PictureRemoval { NoPicture, Removed, Failed };

// Removes the picture member dir + fileName (found in any letter case).
PictureRemoval RemovePictureFile(const QString& dir, const QString& fileName);
