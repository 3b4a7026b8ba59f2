#include "core/CardTextMembers.h"

#include "storage/CardFileNames.h"
#include "storage/sevenzip/SevenZip.h"

namespace textmembers {

CardTextMembers readCardTextMembers(const QString& libraryPath, const QString& cardPath,
                                    const QString& cardName) {
    return textmembers::readCardTextMembers(sevenzip::loadArchiveLibrary(libraryPath), cardPath,
                                            cardName);
}

CardTextMembers readCardTextMembers(const T7zLibraryPtr& library, const QString& cardPath,
                                    const QString& cardName) {
    return textmembers::readCardTextMembers(*sevenzip::MakeInArchive(library, ZipFormatId),
                                            cardPath, cardName);
}

CardTextMembers readCardTextMembers(T7zInArchive& reader, const QString& cardPath,
                                    const QString& cardName) {
    const QString notesName = cardfile::notesMember(cardName);
    const QString tableName = cardfile::tableMember(cardName);
    const auto isNotes = [&](const QString& path) {
        return path.compare(notesName, Qt::CaseInsensitive) == 0;
    };
    const auto isTable = [&](const QString& path) {
        return path.compare(tableName, Qt::CaseInsensitive) == 0;
    };

    reader.OpenArchive(cardPath);
    const auto items =
        reader.readItems([&](const QString& path) { return isNotes(path) || isTable(path); });

    // The reader gives one item per name without regard to case, the same one
    // that opening the card unpacks.
    CardTextMembers members;
    for (const auto& [path, bytes] : items)
        (isNotes(path) ? members.notes : members.table) = bytes;
    return members;
}

} // namespace textmembers
