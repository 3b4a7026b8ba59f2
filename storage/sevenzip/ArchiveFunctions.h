#pragma once

#include "storage/sevenzip/ComTypes.h"

#include <QString>
#include <memory>

class T7zInArchive;
class T7zOutArchive;
class T7zPlugin;
using T7zInArchivePtr = std::shared_ptr<T7zInArchive>;
using T7zOutArchivePtr = std::shared_ptr<T7zOutArchive>;
using T7zLibraryPtr = std::shared_ptr<const T7zPlugin>;

namespace sevenzip {

// A reader or writer for the format classId on the library at libraryPath (the
// full path of 7z.so). Throws AppError: "Error loading library 7z.so",
// "7z.so is not a 7z library", "7z.so is not a Format library".
T7zInArchivePtr MakeInArchive(const QString& libraryPath, const TGUID& classId);

T7zOutArchivePtr MakeOutArchive(const QString& libraryPath, const TGUID& classId);

// The library at libraryPath loaded and checked once, for many readers, which
// threads may make side by side; throws as above.
T7zLibraryPtr loadArchiveLibrary(const QString& libraryPath);

// A reader on a library loaded by sevenzip::loadArchiveLibrary; loads nothing itself.
T7zInArchivePtr MakeInArchive(const T7zLibraryPtr& library, const TGUID& classId);

// A writer on a library loaded by sevenzip::loadArchiveLibrary; loads nothing itself.
T7zOutArchivePtr MakeOutArchive(const T7zLibraryPtr& library, const TGUID& classId);

void SetUIntProperty(T7zOutArchive& archive, const QString& name, quint32 value);

// The compression level, property "X".
void SetArchiveLevel(T7zOutArchive& archive, quint32 level);

} // namespace sevenzip
