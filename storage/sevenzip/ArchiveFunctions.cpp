#include "storage/sevenzip/ArchiveFunctions.h"

#include "storage/sevenzip/T7zInArchive.h"
#include "storage/sevenzip/T7zOutArchive.h"

namespace sevenzip {

T7zInArchivePtr MakeInArchive(const QString& libraryPath, const TGUID& classId) {
    auto archive = std::make_shared<T7zInArchive>(libraryPath);
    archive->SetFormat(classId);
    return archive;
}

T7zLibraryPtr loadArchiveLibrary(const QString& libraryPath) {
    return std::make_shared<const T7zPlugin>(libraryPath);
}

T7zInArchivePtr MakeInArchive(const T7zLibraryPtr& library, const TGUID& classId) {
    auto archive = std::make_shared<T7zInArchive>(library);
    archive->SetFormat(classId);
    return archive;
}

T7zOutArchivePtr MakeOutArchive(const QString& libraryPath, const TGUID& classId) {
    auto archive = std::make_shared<T7zOutArchive>(libraryPath);
    archive->SetFormat(classId);
    return archive;
}

T7zOutArchivePtr MakeOutArchive(const T7zLibraryPtr& library, const TGUID& classId) {
    auto archive = std::make_shared<T7zOutArchive>(library);
    archive->SetFormat(classId);
    return archive;
}

void SetUIntProperty(T7zOutArchive& archive, const QString& name, quint32 value) {
    archive.SetFormatProperty(name, value);
}

void SetArchiveLevel(T7zOutArchive& archive, quint32 level) {
    sevenzip::SetUIntProperty(archive, QStringLiteral("X"), level);
}

} // namespace sevenzip
