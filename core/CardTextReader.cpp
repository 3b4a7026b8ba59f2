#include "core/CardTextReader.h"

#include "core/CardTextCache.h"
#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/sevenzip/SevenZip.h"

#include <QThread>
#include <new>

namespace {

// Cards the caller waits for at once when it has caught up with the workers.
constexpr int ReadingBatch = 64;
// Cards a worker takes at once: their cache entries are looked up together and
// their readings handed over together.
constexpr int WorkBatch = 32;

// Brings the cached texts of the next cards of a batch towards the processor
// while this one is searched: first the record of where a text lies, then,
// once that has arrived, its bytes.
void prefetchAhead(const std::vector<std::shared_ptr<const CardSearchText>>& texts, int at) {
    constexpr int RecordsAhead = 4;
    constexpr int BytesAhead = 2;
    if (at + RecordsAhead < int(texts.size()) && texts[at + RecordsAhead])
        __builtin_prefetch(texts[at + RecordsAhead].get());
    if (at + BytesAhead < int(texts.size()) && texts[at + BytesAhead])
        texts[at + BytesAhead]->prefetch();
}

} // namespace

CardTextReader::CardTextReader(T7zLibraryPtr library, CardTextCache& cache,
                               const CardTextMatcher& matcher, const QString& directory,
                               const QStringList& entries, int workerCount)
    : library_(std::move(library)), cache_(cache), matcher_(matcher), directory_(directory),
      entries_(entries), folder_(directory), round_(cache.beginSearch(directory, entries)),
      readings_(entries.size()) {
    const int count = qBound(1, workerCount, qMax<int>(1, int(entries_.size())));
    workers_.reserve(count);
    try {
        for (int i = 0; i < count; ++i)
            workers_.emplace_back([this] { work(); });
    } catch (...) { // no thread could be started: the others must not outlive us
        stop();
        throw;
    }
}

CardTextReader::~CardTextReader() {
    stop();
}

void CardTextReader::stop() {
    stopping_ = true;
    for (std::thread& worker : workers_) {
        if (worker.joinable())
            worker.join();
    }
}

int CardTextReader::defaultWorkerCount() {
    return qBound(2, QThread::idealThreadCount(), 8);
}

// Readings below knownDone_ were seen done under the lock: no worker writes
// them again, so they are taken without it.
std::optional<CardReading> CardTextReader::reading(int index, std::chrono::milliseconds patience) {
    if (index < knownDone_)
        return std::move(readings_[index]);
    std::unique_lock lock(mutex_);
    if (doneFromStart_ <= index) {
        awaited_ = qMin(index + ReadingBatch, int(readings_.size()));
        finished_.wait_for(lock, patience, [&] { return doneFromStart_ >= awaited_; });
    }
    knownDone_ = doneFromStart_;
    return readings_[index];
}

void CardTextReader::work() {
    T7zInArchivePtr reader;
    std::vector<std::shared_ptr<const CardSearchText>> trusted;
    std::vector<CardReading> batch;
    const int count = int(entries_.size());
    for (;;) {
        if (stopping_)
            return;
        const int from = nextCard_.fetch_add(WorkBatch);
        if (from >= count)
            return;
        const int to = qMin(from + WorkBatch, count);
        trusted.assign(to - from, nullptr);
        cache_.findTrustedTexts(round_, directory_, entries_, from, to, trusted);
        batch.clear();
        for (int index = from; index < to; ++index) {
            prefetchAhead(trusted, index - from);
            batch.push_back(readCard(index, reader, trusted[index - from].get()));
        }
        publish(from, batch);
    }
}

void CardTextReader::publish(int from, std::vector<CardReading>& batch) {
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < batch.size(); ++i)
            readings_[from + i] = std::move(batch[i]);
        while (doneFromStart_ < int(readings_.size()) && readings_[doneFromStart_])
            ++doneFromStart_;
        wake = doneFromStart_ >= awaited_;
    }
    if (wake)
        finished_.notify_all();
}

// No exception may leave a worker: it would end the program. A card that
// cannot be read is reported as such and the search goes on, with a fresh
// reader: nothing of the failure may stay in the old one.
CardReading CardTextReader::readCard(int index, T7zInArchivePtr& reader,
                                     const CardSearchText* trusted) const {
    CardReading reading;
    try {
        // Notes lines come before table lines; only their number is needed here.
        if (trusted) {
            ++fromCache_;
            reading.matchingLines = matcher_.matchingLines(*trusted);
        } else {
            reading.matchingLines = matcher_.matchingLines(*cardText(index, reader));
        }
    } catch (const AppError& error) {
        reading.error = error.text();
    } catch (const std::bad_alloc&) {
        reading.error = QStringLiteral("Nedostatek paměti ke čtení %1").arg(entries_[index]);
    } catch (...) {
        reading.error = QStringLiteral("Neočekávaná chyba při čtení %1").arg(entries_[index]);
    }
    if (!reading.readable())
        reader.reset();
    return reading;
}

std::shared_ptr<const CardSearchText> CardTextReader::cardText(int index,
                                                               T7zInArchivePtr& reader) const {
    const QString path = directory_ + entries_[index];
    // The stamp is taken before the read: should the file change meanwhile, the
    // next search sees another stamp and reads it again.
    const std::optional<CardFileStamp> stamp = folder_.stamp(entries_[index]);
    if (!stamp) {
        cache_.drop(path); // gone: the read below fails with the reason
    } else if (CardTextCache::SharedText kept = cache_.findText(path, *stamp, round_)) {
        ++fromCache_;
        return kept;
    }
    const qint64 readAt = cardstamp::wallClockNs();
    ++filesRead_;
    if (!reader)
        reader = sevenzip::MakeInArchive(library_, ZipFormatId);
    auto text = std::make_shared<const CardSearchText>(searchtext::makeCardSearchText(
        textmembers::readCardTextMembers(*reader, path, cardfile::cardNameOf(entries_[index]))));
    if (stamp)
        cache_.storeText(path, *stamp, readAt, text, round_);
    return text;
}
