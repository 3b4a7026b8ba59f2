#include "storage/sevenzip/ArchiveItem.h"

#include <QHash>
#include <algorithm>

namespace sevenzip {

bool hasUnsafeCharacters(const QString& path) {
    return std::any_of(path.begin(), path.end(), [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
    });
}

std::vector<ArchiveItem> chooseItems(const std::vector<ArchiveItem>& files) {
    // The key of each usable item, and per key the position of its last item.
    std::vector<QString> keys(files.size());
    QHash<QString, std::size_t> last;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (hasUnsafeCharacters(files[i].path))
            continue;
        keys[i] = files[i].path;
        keys[i].replace(u'\\', u'/');
        keys[i] = keys[i].toCaseFolded();
        last.insert(keys[i], i);
    }
    std::vector<ArchiveItem> chosen;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!keys[i].isEmpty() && last.value(keys[i]) == i)
            chosen.push_back(files[i]);
    }
    return chosen;
}

} // namespace sevenzip
