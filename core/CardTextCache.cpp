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
    if (const SharedText text = findText(path, stamp, 0))
        return text->members;
    return std::nullopt;
}

void CardTextCache::store(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                          CardTextMembers members) {
    storeText(
        path, stamp, readAtNs,
        std::make_shared<const CardSearchText>(searchtext::makeCardSearchText(std::move(members))),
        0);
}

CardTextCache::SharedText CardTextCache::findText(const QString& path, const CardFileStamp& stamp,
                                                  quint64 round) {
    const std::lock_guard lock(mutex_);
    const auto entry = entries_.find(path);
    if (entry == entries_.end())
        return nullptr;
    if (entry->second.stamp != stamp) {
        dropLocked(entry);
        return nullptr;
    }
    if (mayTrustLocked(path, stamp, round))
        entry->second.trusted = true;
    return entry->second.text;
}

quint64 CardTextCache::beginSearch(const QString& directory, const QStringList& names) {
    const std::lock_guard lock(mutex_);
    ++round_;
    if (directory != listedDirectory_ || names != listedNames_) {
        ++listing_;
        listedDirectory_ = directory;
        listedNames_ = names;
        listedEntries_.assign(names.size(), nullptr);
    }
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
            entry->second.trusted = false;
    }
    return round_;
}

// The entry for the card at `row` of the listing, looked up by its path the
// first time only.
CardTextCache::Entry* CardTextCache::listedEntryLocked(int row) {
    Entry*& listed = listedEntries_[row];
    if (!listed) {
        if (const auto entry = entries_.find(listedDirectory_ + listedNames_[row]);
            entry != entries_.end()) {
            listed = &entry->second;
            listed->listing = listing_;
            listed->row = row;
        }
    }
    return listed;
}

void CardTextCache::findTrustedTexts(quint64 round, const QString& directory,
                                     const QStringList& names, int from, int to,
                                     std::vector<SharedText>& texts) {
    const std::lock_guard lock(mutex_);
    if (round == round_) { // the listing is this search's
        for (int index = from; index < to; ++index) {
            if (const Entry* entry = listedEntryLocked(index); entry && entry->trusted)
                texts[index - from] = entry->text;
        }
        return;
    }
    for (int index = from; index < to; ++index) {
        if (const auto entry = entries_.find(directory + names[index]);
            entry != entries_.end() && entry->second.trusted)
            texts[index - from] = entry->second.text;
    }
}

bool CardTextCache::trusts(const QString& path) const {
    const std::lock_guard lock(mutex_);
    const auto entry = entries_.find(path);
    return entry != entries_.end() && entry->second.trusted;
}

// Changes heard only from the watch's start: whatever was kept before it must
// be stamped again.
void CardTextCache::restartWatchLocked(const QString& directory) {
    for (auto& [path, entry] : entries_)
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

void CardTextCache::storeText(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                              SharedText text, quint64 round) {
    const qsizetype size = entryBytes(path, *text);
    const std::lock_guard lock(mutex_);
    if (const auto old = entries_.find(path); old != entries_.end())
        dropLocked(old);
    if (cardstamp::mayChangeUnnoticed(stamp, readAtNs) || size > budget_ / LargestEntryShare ||
        bytes_ + size > budget_)
        return;
    const bool trusted = mayTrustLocked(path, stamp, round);
    entries_.emplace(path, Entry{stamp, std::move(text), size, trusted});
    bytes_ += size;
}

void CardTextCache::drop(const QString& path) {
    const std::lock_guard lock(mutex_);
    if (const auto entry = entries_.find(path); entry != entries_.end())
        dropLocked(entry);
}

void CardTextCache::forget(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const auto sameCard = [&](const QString& held) {
        return held.size() == path.size() && held.left(nameStart) == path.left(nameStart) &&
               held.mid(nameStart).compare(path.mid(nameStart), Qt::CaseInsensitive) == 0;
    };
    const std::lock_guard lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        const auto next = std::next(entry);
        if (sameCard(entry->first))
            dropLocked(entry);
        entry = next;
    }
}

void CardTextCache::keepOnly(const QString& directory, const QStringList& fileNames) {
    const QSet<QString> listed(fileNames.begin(), fileNames.end());
    const auto isListed = [&](const QString& path) {
        return path.startsWith(directory) && listed.contains(path.mid(directory.size()));
    };
    const std::lock_guard lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        const auto next = std::next(entry);
        if (!isListed(entry->first))
            dropLocked(entry);
        entry = next;
    }
}

// The listing keeps its size while its search may still use it.
void CardTextCache::clear() {
    const std::lock_guard lock(mutex_);
    entries_.clear();
    std::fill(listedEntries_.begin(), listedEntries_.end(), nullptr);
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
    return entries_.find(path) != entries_.end();
}

void CardTextCache::dropLocked(Entries::iterator entry) {
    if (entry->second.listing == listing_ && entry->second.row >= 0)
        listedEntries_[entry->second.row] = nullptr;
    bytes_ -= entry->second.bytes;
    entries_.erase(entry);
}
