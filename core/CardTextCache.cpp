#include "core/CardTextCache.h"

#include <QSet>

namespace {

// One card may not take more than this share of the cache; real cards hold a
// few kilobytes of text.
constexpr int LargestEntryShare = 4;

// What an entry costs besides its text: the key and the table's own records.
qsizetype entryBytes(const QString& path, const CardSearchText& text) {
    constexpr qsizetype Bookkeeping = 256;
    return text.heldBytes() + path.size() * qsizetype(sizeof(QChar)) + Bookkeeping;
}

} // namespace

CardTextCache::CardTextCache(qsizetype budgetBytes) : budget_(budgetBytes) {}

CardTextCache& CardTextCache::shared() {
    static CardTextCache cache;
    return cache;
}

std::optional<CardTextMembers> CardTextCache::find(const QString& path,
                                                   const CardFileStamp& stamp) {
    if (std::optional<CardSearchText> text = findText(path, stamp))
        return std::move(text->members);
    return std::nullopt;
}

std::optional<CardSearchText> CardTextCache::findText(const QString& path,
                                                      const CardFileStamp& stamp) {
    const std::lock_guard lock(mutex_);
    const auto entry = entries_.find(path);
    if (entry == entries_.end())
        return std::nullopt;
    if (entry->stamp != stamp) {
        dropLocked(entry);
        return std::nullopt;
    }
    return entry->text;
}

void CardTextCache::store(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                          CardTextMembers members) {
    storeText(path, stamp, readAtNs, searchtext::makeCardSearchText(std::move(members)));
}

void CardTextCache::storeText(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                              const CardSearchText& text) {
    const qsizetype size = entryBytes(path, text);
    const std::lock_guard lock(mutex_);
    if (const auto old = entries_.find(path); old != entries_.end())
        dropLocked(old);
    if (cardstamp::mayChangeUnnoticed(stamp, readAtNs) || size > budget_ / LargestEntryShare ||
        bytes_ + size > budget_)
        return;
    entries_.insert(path, Entry{stamp, text, size});
    bytes_ += size;
}

void CardTextCache::drop(const QString& path) {
    const std::lock_guard lock(mutex_);
    if (const auto entry = entries_.find(path); entry != entries_.end())
        dropLocked(entry);
}

void CardTextCache::forget(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const std::lock_guard lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        const QString& held = entry.key();
        if (held.size() == path.size() && held.left(nameStart) == path.left(nameStart) &&
            held.mid(nameStart).compare(path.mid(nameStart), Qt::CaseInsensitive) == 0) {
            bytes_ -= entry->bytes;
            entry = entries_.erase(entry);
        } else {
            ++entry;
        }
    }
}

void CardTextCache::keepOnly(const QString& directory, const QStringList& fileNames) {
    const QSet<QString> listed(fileNames.begin(), fileNames.end());
    const auto isListed = [&](const QString& path) {
        return path.startsWith(directory) && listed.contains(path.mid(directory.size()));
    };
    const std::lock_guard lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (isListed(entry.key())) {
            ++entry;
        } else {
            bytes_ -= entry->bytes;
            entry = entries_.erase(entry);
        }
    }
}

void CardTextCache::clear() {
    const std::lock_guard lock(mutex_);
    entries_.clear();
    bytes_ = 0;
}

int CardTextCache::entryCount() const {
    const std::lock_guard lock(mutex_);
    return int(entries_.size());
}

qsizetype CardTextCache::bytes() const {
    const std::lock_guard lock(mutex_);
    return bytes_;
}

bool CardTextCache::holds(const QString& path) const {
    const std::lock_guard lock(mutex_);
    return entries_.contains(path);
}

void CardTextCache::dropLocked(QHash<QString, Entry>::iterator entry) {
    bytes_ -= entry->bytes;
    entries_.erase(entry);
}
