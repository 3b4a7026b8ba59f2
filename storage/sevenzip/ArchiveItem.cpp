#include "storage/sevenzip/ArchiveItem.h"

#include <QSet>
#include <algorithm>

namespace sevenzip {

bool hasUnsafeCharacters(const QString& path) {
    return std::any_of(path.begin(), path.end(), [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
    });
}

std::vector<ArchiveItem> chooseItems(const std::vector<ArchiveItem>& files) {
    QSet<QString> seen;
    std::vector<ArchiveItem> chosen;
    for (const ArchiveItem& item : files) {
        if (hasUnsafeCharacters(item.path))
            continue;
        QString key = item.path;
        key.replace(u'\\', u'/');
        key = key.toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        chosen.push_back(item);
    }
    return chosen;
}

} // namespace sevenzip
