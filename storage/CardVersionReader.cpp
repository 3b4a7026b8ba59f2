#include "storage/CardVersionReader.h"

#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/sevenzip/SevenZip.h"

namespace {

using Items = QList<QPair<QString, QByteArray>>;

bool atRoot(const QString& itemPath) {
    return !itemPath.contains(u'/') && !itemPath.contains(u'\\');
}

// The card name whose member itemPath is, for the member made by memberOf;
// empty when itemPath is no such member.
QString cardNameOfMember(const QString& itemPath, QString (*memberOf)(const QString&)) {
    const qsizetype suffixLength = memberOf(QString()).size();
    if (!atRoot(itemPath) || itemPath.size() <= suffixLength)
        return {};
    const QString name = itemPath.chopped(suffixLength);
    return itemPath.compare(memberOf(name), Qt::CaseInsensitive) == 0 ? name : QString();
}

// The card name the version was saved under. Should a version hold a member
// twice (names differing only in case), the later one counts, as it would
// replace the earlier one when unpacked.
QString savedCardName(const Items& items) {
    for (auto memberOf :
         {&cardfile::tableMember, &cardfile::notesMember, &cardfile::pictureMember}) {
        QString name;
        for (const auto& item : items) {
            if (const QString found = cardNameOfMember(item.first, memberOf); !found.isEmpty())
                name = found;
        }
        if (!name.isEmpty())
            return name;
    }
    return {};
}

// The bytes of the member named like member; empty when it is missing.
QByteArray memberBytes(const Items& items, const QString& member) {
    QByteArray bytes;
    for (const auto& [path, data] : items) {
        if (path.compare(member, Qt::CaseInsensitive) == 0)
            bytes = data;
    }
    return bytes;
}

Items readRootItems(const QString& libraryPath, const QString& versionPath,
                    const std::function<bool(const QString&)>& wanted) {
    T7zInArchivePtr reader = sevenzip::MakeInArchive(libraryPath, ZipFormatId);
    reader->OpenArchive(versionPath);
    return reader->readItems([&](const QString& path) { return atRoot(path) && wanted(path); });
}

bool isCardMember(const QString& path) {
    for (auto memberOf : {&cardfile::tableMember, &cardfile::notesMember, &cardfile::pictureMember})
        if (!cardNameOfMember(path, memberOf).isEmpty())
            return true;
    return false;
}

int countRows(const QString& libraryPath, const QString& versionPath) {
    const Items tables = readRootItems(libraryPath, versionPath, [](const QString& path) {
        return !cardNameOfMember(path, &cardfile::tableMember).isEmpty();
    });
    return tables.isEmpty() ? 0 : int(tablefile::parseTable(tables.last().second).size());
}

} // namespace

namespace cardversionreader {

CardVersionContent readCardVersion(const QString& libraryPath, const QString& versionPath) {
    const Items items = readRootItems(libraryPath, versionPath, isCardMember);
    const QString name = savedCardName(items);
    return {tablefile::parseTable(memberBytes(items, cardfile::tableMember(name))),
            notesfile::parseNotes(memberBytes(items, cardfile::notesMember(name))),
            memberBytes(items, cardfile::pictureMember(name))};
}

QList<CardVersionSummary> summarizeCardVersions(const QString& libraryPath, const QString& folder) {
    QList<CardVersionSummary> summaries;
    for (const CardVersion& version : cardhistory::versions(folder)) {
        CardVersionSummary summary;
        summary.version = version;
        try {
            summary.rows = countRows(libraryPath, version.path);
            summary.readable = true;
        } catch (const AppError& error) {
            summary.problem = error.text();
        }
        summaries.append(summary);
    }
    return summaries;
}

} // namespace cardversionreader
