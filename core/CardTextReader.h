#pragma once

#include "core/CardFileStamp.h"
#include "core/CardSearchText.h"
#include "core/CardTextMembers.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class CardTextCache;

// What a content search learnt of one card file.
struct CardReading {
    int matchingLines = 0; // notes lines and table lines together
    QString error;         // why the card file could not be read; empty when it was
    bool readable() const { return error.isEmpty(); }
};

// Reads the text members of a list of card files on a few worker threads and
// counts their lines that hold the search text. The card files of one search
// are independent, so each worker takes the next card not yet taken, with its
// own archive reader on the library loaded once for them all, kept from one
// card file to the next; members already
// in the cache for an unchanged card file are not read again. The readings are
// collected by card index, so the caller takes them in list order, whatever
// order they finish in.
class CardTextReader {
public:
    // The card files `entries` (file names such as "Name.krt") of `directory`
    // (with a trailing "/"); an entry's name without its extension picks the
    // card's members. The workers start at once; matcher and cache must
    // outlive the reader.
    CardTextReader(T7zLibraryPtr library, CardTextCache& cache, const CardTextMatcher& matcher,
                   const QString& directory, const QStringList& entries, int workerCount);
    // Stops and waits for every worker.
    ~CardTextReader();
    CardTextReader(const CardTextReader&) = delete;
    CardTextReader& operator=(const CardTextReader&) = delete;

    // The reading of card `index`, waiting at most `patience` for it; none when
    // it is not ready by then. Readings are taken in index order: once the
    // caller has caught up with the workers, it waits for a batch of cards to
    // be ready rather than being woken for each.
    std::optional<CardReading> reading(int index, std::chrono::milliseconds patience);
    // No worker takes another card; returns once every worker has ended. A card
    // being read is finished first.
    void stop();
    // How many card files were read through the library so far; the others
    // came from the cache.
    int cardFilesRead() const { return filesRead_; }
    // How many cards' text came from the cache so far.
    int cardsFromCache() const { return fromCache_; }

    // Workers for this machine: one per core, at least two so that one waiting
    // for the disk does not hold the search up.
    static int defaultWorkerCount();

private:
    void work();
    CardReading readCard(int index, T7zInArchivePtr& reader, const CardSearchText* trusted) const;
    std::shared_ptr<const CardSearchText> cardText(int index, T7zInArchivePtr& reader) const;
    void publish(int from, std::vector<CardReading>& batch);

    const T7zLibraryPtr library_;
    CardTextCache& cache_;
    const CardTextMatcher& matcher_;
    const QString directory_;
    const QStringList entries_;
    const StampedFolder folder_;

    std::atomic<int> nextCard_{0};
    std::atomic<bool> stopping_{false};
    mutable std::atomic<int> filesRead_{0};
    mutable std::atomic<int> fromCache_{0};
    const quint64 round_; // the cache's round of this search
    // The caller's own: the readings below it are done and need no lock.
    int knownDone_ = 0;
    std::mutex mutex_;
    std::condition_variable finished_;
    // Guarded by mutex_: the readings by card index, how many cards from the
    // first are done, and how many the caller waits for.
    std::vector<std::optional<CardReading>> readings_;
    int doneFromStart_ = 0;
    int awaited_ = 0;
    std::vector<std::thread> workers_;
};
