#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// One file item of an opened archive as the reader lists it.
struct ArchiveItem {
    quint32 index = 0;
    QString path;     // as stored, every character kept (a NUL too)
    quint64 size = 0; // the size the archive declares; the data may differ
};

namespace sevenzip {

// An item name holding a NUL or another control character is never used: a
// program reading the name as a C string would see another, shorter name.
bool hasUnsafeCharacters(const QString& path);

// The one rule by which the open and the search decide which items of a card
// count: folders and items with unsafe names are left out, and of items whose
// paths are equal without regard to letter case (a backslash counting as "/")
// only the last in archive order counts, as in every Zip reader: a writer that
// updates a member appends the new copy after the old one. The result keeps
// archive order.
std::vector<ArchiveItem> chooseItems(const std::vector<ArchiveItem>& files);

} // namespace sevenzip
