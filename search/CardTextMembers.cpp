#include "search/CardTextMembers.h"

#include "storage/sevenzip/SevenZip.h"

QString MemberStem(const QString& entry) {
    return entry.left(qMax(0, entry.size() - 3));
}

CardTextMembers ReadCardTextMembers(const QString& libraryPath, const QString& cardPath,
                                    const QString& stem) {
    const QString notesName = stem + QStringLiteral("txt");
    const QString tableName = stem + QStringLiteral("tbl");
    const auto isNotes = [&](const QString& path) {
        return path.compare(notesName, Qt::CaseInsensitive) == 0;
    };
    const auto isTable = [&](const QString& path) {
        return path.compare(tableName, Qt::CaseInsensitive) == 0;
    };

    T7zInArchivePtr reader = MakeInArchive(libraryPath, ZipFormatId);
    reader->OpenArchive(cardPath);
    const auto items =
        reader->ReadItems([&](const QString& path) { return isNotes(path) || isTable(path); });

    // Should an archive hold a member twice (names differing only in case), the
    // later one counts, as it would replace the earlier one when unpacked.
    CardTextMembers members;
    for (const auto& [path, bytes] : items)
        (isNotes(path) ? members.notes : members.table) = bytes;
    return members;
}
