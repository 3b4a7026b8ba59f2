#include "core/CardFolderListing.h"

#include "core/SyncConflictNames.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>
#include <dirent.h>
#include <functional>

namespace cardfolder {
namespace {

QString fullSortKey(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar ch : decomposed) {
        if (ch.category() != QChar::Mark_NonSpacing)
            key.append(ch);
    }
    return key.toCaseFolded();
}

// Below U+0250 (ASCII and the Latin letters with their accents) no character
// combines with its neighbours, so the key of such a name is the keys of its
// characters in a row: looked up, not normalized, for each of many thousand
// names.
constexpr char16_t kTabledEnd = 0x250;

const std::array<QString, kTabledEnd>& characterKeys() {
    static const std::array<QString, kTabledEnd> keys = [] {
        std::array<QString, kTabledEnd> table;
        for (char16_t code = 0; code < kTabledEnd; ++code)
            table[code] = fullSortKey(QString(QChar(code)));
        return table;
    }();
    return keys;
}

// The file mask as a test on names, letter case ignored. A mask "*.ext" is a
// plain suffix test: a pattern match for each of many thousand names costs.
std::function<bool(const QString&)> maskTest(const QString& mask) {
    const QString suffix = mask.mid(1);
    const bool plainSuffix = mask.startsWith(u'*') && !suffix.contains(u'*') &&
                             !suffix.contains(u'?') && !suffix.contains(u'[');
    if (plainSuffix)
        return [suffix](const QString& name) { return name.endsWith(suffix, Qt::CaseInsensitive); };
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(mask),
                                     QRegularExpression::CaseInsensitiveOption);
    return [pattern](const QString& name) { return pattern.match(name).hasMatch(); };
}

struct FolderEntry {
    QString name;
    quint64 file = 0;
};

// The plain, visible files of directory whose names pass matches. A direct
// directory read: QDir would stat every file, which counts with thousands of
// cards.
QList<FolderEntry> matchingFiles(const QString& directory,
                                 const std::function<bool(const QString&)>& matches) {
    QList<FolderEntry> found;
    DIR* dir = ::opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!matches(name) || syncnames::isSyncTemporary(name))
            continue;
        bool file = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
            file = QFileInfo(directory + name).isFile();
        if (file)
            found.append({name, quint64(entry->d_ino)});
    }
    ::closedir(dir);
    return found;
}

// The card a conflict copy belongs to, among the names found: the exact name
// first, then one differing in letter case. A copy of a copy belongs to the
// card of the first copy. Empty when the copy has no card here.
QString ownerAmong(const QString& name, const QSet<QString>& exact,
                   const QHash<QString, QString>& byFoldedName) {
    QString owner;
    QString next = syncnames::conflictOwner(name);
    for (int depth = 0; !next.isEmpty() && depth < 8; ++depth) {
        if (exact.contains(next)) {
            owner = next;
        } else if (const auto found = byFoldedName.constFind(next.toCaseFolded());
                   found != byFoldedName.cend()) {
            owner = found.value();
        } else {
            break;
        }
        next = syncnames::conflictOwner(owner);
    }
    return owner;
}

} // namespace

QString sortKey(const QString& name) {
    const std::array<QString, kTabledEnd>& keys = characterKeys();
    QString key;
    key.reserve(name.size());
    for (const QChar ch : name) {
        if (ch.unicode() >= kTabledEnd)
            return fullSortKey(name);
        key += keys[ch.unicode()];
    }
    return key;
}

bool listedBefore(const QString& keyA, const QString& nameA, const QString& keyB,
                  const QString& nameB) {
    const int byKey = QString::compare(keyA, keyB);
    return byKey < 0 || (byKey == 0 && QString::compare(nameA, nameB) < 0);
}

CardFolderListing read(const QString& directory, const QString& mask) {
    const QList<FolderEntry> found = matchingFiles(directory, maskTest(mask));
    CardFolderListing listing;
    QSet<QString> setAside;
    QList<QString> copies;
    for (const FolderEntry& entry : found) {
        if (!syncnames::conflictOwner(entry.name).isEmpty())
            copies.append(entry.name);
    }
    // The names are looked up only when there are copies: rarely, and never
    // for each of many thousand names at every listing.
    if (!copies.isEmpty()) {
        QSet<QString> exact;
        QHash<QString, QString> byFoldedName;
        for (const FolderEntry& entry : found) {
            exact.insert(entry.name);
            byFoldedName.insert(entry.name.toCaseFolded(), entry.name);
        }
        for (const QString& copy : copies) {
            if (const QString owner = ownerAmong(copy, exact, byFoldedName); !owner.isEmpty()) {
                listing.conflictCopies[owner].append(copy);
                setAside.insert(copy);
            }
        }
        for (QStringList& each : listing.conflictCopies)
            each.sort();
    }

    struct Keyed {
        QString key;
        QString name;
        quint64 file;
    };
    QList<Keyed> cards;
    cards.reserve(found.size());
    for (const FolderEntry& entry : found) {
        if (!setAside.contains(entry.name))
            cards.append({sortKey(entry.name), entry.name, entry.file});
    }
    std::sort(cards.begin(), cards.end(), [](const Keyed& a, const Keyed& b) {
        return listedBefore(a.key, a.name, b.key, b.name);
    });
    listing.names.reserve(cards.size());
    listing.keys.reserve(cards.size());
    listing.files.reserve(cards.size());
    for (const Keyed& card : cards) {
        listing.names.append(card.name);
        listing.keys.append(card.key);
        listing.files.append(card.file);
    }
    return listing;
}

CardFolderDiff diff(const CardFolderListing& before, const CardFolderListing& after) {
    CardFolderDiff result;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < before.names.size() || j < after.names.size()) {
        if (j == after.names.size() ||
            (i < before.names.size() &&
             listedBefore(before.keys[i], before.names[i], after.keys[j], after.names[j]))) {
            result.removedRows.append(int(i++));
        } else if (i == before.names.size() ||
                   listedBefore(after.keys[j], after.names[j], before.keys[i], before.names[i])) {
            result.insertedRows.append(int(j++));
        } else {
            if (before.files[i] != after.files[j])
                result.replaced.append(after.names[j]);
            ++i;
            ++j;
        }
    }
    result.conflictCopiesChanged = before.conflictCopies != after.conflictCopies;
    return result;
}

} // namespace cardfolder
