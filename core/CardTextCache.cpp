#include "core/CardTextCache.h"

#include "storage/FolderChangeWatch.h"

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

CardTextCache::~CardTextCache() = default;

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
    return findText(path, stamp, 0);
}

std::optional<CardSearchText> CardTextCache::findText(const QString& path,
                                                      const CardFileStamp& stamp, quint64 round) {
    const std::lock_guard lock(mutex_);
    const auto entry = entries_.find(path);
    if (entry == entries_.end())
        return std::nullopt;
    if (entry->stamp != stamp) {
        dropLocked(entry);
        return std::nullopt;
    }
    if (mayTrustLocked(path, stamp, round))
        entry->trusted = true;
    return entry->text;
}

quint64 CardTextCache::takeFolderChanges(const QString& directory) {
    const std::lock_guard lock(mutex_);
    ++round_;
    if (!watch_ || watch_->directory() != directory) {
        restartWatchLocked(directory);
        return round_;
    }
    const FolderChangeWatch::Changes changes = watch_->takeChanges();
    if (changes.lost) {
        restartWatchLocked(directory);
        return round_;
    }
    for (const QString& name : changes.names) {
        if (const auto entry = entries_.find(directory + name); entry != entries_.end())
            entry->trusted = false;
    }
    return round_;
}

void CardTextCache::findTrustedTexts(const QString& directory, const QStringList& names, int from,
                                     int to,
                                     std::vector<std::optional<CardSearchText>>& texts) const {
    QString path = directory;
    path.reserve(directory.size() + 256);
    const std::lock_guard lock(mutex_);
    for (int index = from; index < to; ++index) {
        path.truncate(directory.size());
        path += names[index];
        if (const auto entry = entries_.constFind(path); entry != entries_.cend() && entry->trusted)
            texts[index - from] = entry->text;
    }
}

bool CardTextCache::trusts(const QString& path) const {
    const std::lock_guard lock(mutex_);
    const auto entry = entries_.constFind(path);
    return entry != entries_.cend() && entry->trusted;
}

// Changes heard only from the watch's start: whatever was kept before it must
// be stamped again.
void CardTextCache::restartWatchLocked(const QString& directory) {
    for (Entry& entry : entries_)
        entry.trusted = false;
    watch_ = std::make_unique<FolderChangeWatch>(directory);
}

// The stamp was taken in this round, after the watch began to listen, so any
// later change is heard; a file reached by another name could change unheard.
bool CardTextCache::mayTrustLocked(const QString& path, const CardFileStamp& stamp,
                                   quint64 round) const {
    return round != 0 && round == round_ && stamp.soleName && watch_ && watch_->watching() &&
           path.size() > watch_->directory().size() && path.startsWith(watch_->directory()) &&
           path.indexOf(u'/', watch_->directory().size()) < 0;
}

void CardTextCache::store(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                          CardTextMembers members) {
    storeText(path, stamp, readAtNs, searchtext::makeCardSearchText(std::move(members)));
}

void CardTextCache::storeText(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                              const CardSearchText& text) {
    storeText(path, stamp, readAtNs, text, 0);
}

void CardTextCache::storeText(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                              const CardSearchText& text, quint64 round) {
    const qsizetype size = entryBytes(path, text);
    const std::lock_guard lock(mutex_);
    if (const auto old = entries_.find(path); old != entries_.end())
        dropLocked(old);
    if (cardstamp::mayChangeUnnoticed(stamp, readAtNs) || size > budget_ / LargestEntryShare ||
        bytes_ + size > budget_)
        return;
    entries_.insert(path, Entry{stamp, text, size, mayTrustLocked(path, stamp, round)});
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
