#include "core/OverviewReader.h"

#include "core/CardTextCache.h"
#include "core/CardTextMembers.h"
#include "core/CardTextReader.h"
#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/TableFile.h"
#include "storage/sevenzip/SevenZip.h"

namespace {

// How often the user-interface thread looks at the workers' progress.
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

void OverviewReader::start(const QString& libraryPath, const QString& directory,
                           const QStringList& entries) {
    if (running()) {
        stopping_ = true;
        for (std::thread& worker : workers_)
            worker.join();
        workers_.clear();
    }
    if (!library_ || libraryPath != libraryPath_) {
        library_ = sevenzip::loadArchiveLibrary(libraryPath);
        libraryPath_ = libraryPath;
    }
    directory_ = directory;
    entries_ = entries;
    folder_ = std::make_unique<StampedFolder>(directory);
    cards_.assign(entries.size(), std::nullopt);
    nextCard_ = 0;
    done_ = 0;
    filesRead_ = 0;
    stopping_ = false;
    const int workerCount =
        std::max(1, std::min(CardTextReader::defaultWorkerCount(), int(entries.size())));
    workersRunning_ = workerCount;
    for (int worker = 0; worker < workerCount; ++worker)
        workers_.emplace_back([this] { work(); });
    poll_.start();
}

void OverviewReader::stop() {
    stopping_ = true;
}

void OverviewReader::work() {
    T7zInArchivePtr reader;
    for (;;) {
        const int index = nextCard_++;
        if (stopping_ || index >= entries_.size())
            break;
        cards_[index] = readCard(index, reader);
        ++done_;
    }
    --workersRunning_;
}

// No exception may leave a worker: it would end the program. A card file that
// cannot be read becomes a card without cells, read next with a fresh reader.
OverviewCard OverviewReader::readCard(int index, T7zInArchivePtr& reader) {
    const QString& entry = entries_[index];
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
        return OverviewCard::fromTable(entry, tablefile::parseTable(members->table));
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
    if (workersRunning_ == 0)
        finish();
}

void OverviewReader::finish() {
    poll_.stop();
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
    OverviewReading reading;
    reading.stopped = stopping_ && done_ < total();
    reading.cardFilesRead = filesRead_;
    reading.cards.reserve(total());
    for (int index = 0; index < total(); ++index) {
        if (cards_[index]) {
            reading.cards.append(std::move(*cards_[index]));
            if (!reading.cards.last().readable)
                reading.unreadable.append(entries_[index]);
        } else {
            reading.cards.append(OverviewCard());
            reading.cards.last().fileName = entries_[index];
        }
    }
    cards_.clear();
    emit finished(reading);
}
