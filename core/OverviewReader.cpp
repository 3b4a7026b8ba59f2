#include "core/OverviewReader.h"

#include "core/CardTextCache.h"
#include "core/CardTextMembers.h"
#include "core/CardTextReader.h"
#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/sevenzip/SevenZip.h"

#include <QCollator>
#include <tuple>

namespace {

// How often the user-interface thread shows the workers' progress.
constexpr int PollMs = 40;

} // namespace

OverviewReader::OverviewReader(CardTextCache& cache, QObject* parent)
    : QObject(parent), cache_(cache) {
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &OverviewReader::checkWorkers);
}

OverviewReader::~OverviewReader() {
    stopping_ = true;
    for (std::thread& worker : workers_)
        worker.join();
}

void OverviewReader::prepareRows(const QSet<QString>& hiddenTitles, const QString& sortTitle) {
    // Taken over by start(): workers of a stopped reading may still use the
    // present ones.
    nextPreparation_ = {hiddenTitles, sortTitle};
}

void OverviewReader::start(const QString& libraryPath, const QString& directory,
                           const QStringList& entries) {
    if (running()) {
        stopping_ = true;
        for (std::thread& worker : workers_)
            worker.join();
        workers_.clear();
    }
    // A finish the workers asked for before is not this reading's.
    ++generation_;
    prepare_ = nextPreparation_.has_value();
    if (prepare_)
        std::tie(hiddenTitles_, sortTitle_) = *nextPreparation_;
    if (!library_ || libraryPath != libraryPath_) {
        library_ = sevenzip::loadArchiveLibrary(libraryPath);
        libraryPath_ = libraryPath;
    }
    directory_ = directory;
    entries_ = entries;
    folder_ = std::make_unique<StampedFolder>(directory);
    cards_.assign(entries.size(), std::nullopt);
    foldedTexts_.assign(prepare_ ? entries.size() : 0, QString());
    sortKeys_.assign(prepare_ && !sortTitle_.isEmpty() ? entries.size() : 0, std::nullopt);
    reading_ = OverviewReading();
    nextCard_ = 0;
    done_ = 0;
    filesRead_ = 0;
    stopping_ = false;
    const int workerCount =
        std::max(1, std::min(CardTextReader::defaultWorkerCount(), int(entries.size())));
    workersReading_ = workerCount;
    const int generation = generation_;
    for (int worker = 0; worker < workerCount; ++worker)
        workers_.emplace_back([this, generation] {
            work();
            if (--workersReading_ > 0)
                return;
            assembleReading();
            QMetaObject::invokeMethod(
                this, [this, generation] { finish(generation); }, Qt::QueuedConnection);
        });
    poll_.start();
}

void OverviewReader::stop() {
    stopping_ = true;
}

void OverviewReader::work() {
    T7zInArchivePtr reader;
    // A collator of its own: one is not to be shared among threads.
    const QCollator collator = overviewrows::czechCollator();
    for (;;) {
        const int index = nextCard_++;
        if (stopping_ || index >= entries_.size())
            break;
        cards_[index] = readCard(index, reader);
        if (prepare_)
            prepareCard(index, *cards_[index], collator);
        ++done_;
    }
}

void OverviewReader::prepareCard(int index, const OverviewCard& card, const QCollator& collator) {
    foldedTexts_[index] = overviewrows::foldedRowText(card, hiddenTitles_, false);
    if (sortTitle_.isEmpty())
        return;
    const QString text = overviewrows::cellOf(card, sortTitle_);
    if (!text.isEmpty())
        sortKeys_[index] = collator.sortKey(text);
}

// No exception may leave a worker: it would end the program. A card file that
// cannot be read becomes a card without cells, read next with a fresh reader.
OverviewCard OverviewReader::readCard(int index, T7zInArchivePtr& reader) {
    // at(): the list is shared with the caller, and a non-const [] on several
    // threads would copy it on each at once.
    const QString& entry = entries_.at(index);
    const QString path = directory_ + entry;
    try {
        // The stamp is taken before the read: should the file change
        // meanwhile, the next reading sees another stamp and reads it again.
        const std::optional<CardFileStamp> stamp = folder_->stamp(entry);
        std::optional<CardTextMembers> members;
        if (stamp)
            members = cache_.find(path, *stamp);
        else
            cache_.drop(path); // gone: the read below fails with the reason
        if (!members) {
            const qint64 readAt = cardstamp::wallClockNs();
            ++filesRead_;
            if (!reader)
                reader = sevenzip::MakeInArchive(library_, ZipFormatId);
            members = textmembers::readCardTextMembers(*reader, path, cardfile::cardNameOf(entry));
            if (stamp)
                cache_.store(path, *stamp, readAt, *members);
        }
        return overviewrows::cardFromTableBytes(entry, members->table);
    } catch (...) {
        reader.reset();
        OverviewCard card;
        card.fileName = entry;
        card.readable = false;
        return card;
    }
}

void OverviewReader::checkWorkers() {
    emit progressed(done_, total());
}

// On the last worker to end, while the user-interface thread goes on.
void OverviewReader::assembleReading() {
    OverviewReading& reading = reading_;
    reading.stopped = stopping_ && done_ < total();
    reading.cardFilesRead = filesRead_;
    reading.cards.reserve(total());
    for (int index = 0; index < total(); ++index) {
        if (cards_[index]) {
            reading.cards.append(std::move(*cards_[index]));
            if (!reading.cards.last().readable)
                reading.unreadable.append(entries_.at(index));
        } else {
            reading.cards.append(OverviewCard());
            reading.cards.last().fileName = entries_.at(index);
        }
    }
    cards_.clear();
    if (!prepare_)
        return;
    OverviewPrepared& prepared = reading.prepared;
    prepared.keys = overviewrows::keysByUse(reading.cards);
    prepared.rowByFile = overviewrows::rowIndex(reading.cards);
    prepared.foldedWithout = hiddenTitles_;
    prepared.foldedTexts = std::move(foldedTexts_);
    if (!sortTitle_.isEmpty()) {
        prepared.rankedTitle = sortTitle_;
        prepared.ranks = overviewrows::ranksOf(sortKeys_);
    }
    sortKeys_.clear();
    // Cards not read have empty texts, as their cells are.
    prepared.ready = true;
}

void OverviewReader::finish(int generation) {
    if (generation != generation_ || workers_.empty())
        return;
    poll_.stop();
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
    emit progressed(done_, total());
    OverviewReading reading = std::exchange(reading_, OverviewReading());
    emit finished(reading);
    // What the window did not take, when it was closed meanwhile.
    overviewrows::freeElsewhere(std::move(reading));
}