#pragma once

#include "core/CardFileStamp.h"
#include "core/OverviewModel.h"
#include "storage/sevenzip/ArchiveFunctions.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class CardTextCache;

// What a reading of card files for the overview found, in the order of the
// entries it was given.
struct OverviewReading {
    QList<OverviewCard> cards; // one per entry; an unread or unreadable one has no cells
    QStringList unreadable;    // entries whose card file could not be read
    bool stopped = false;      // stopped before the last card file
    int cardFilesRead = 0;     // read through the archive library; the rest came from the cache
};
Q_DECLARE_METATYPE(OverviewReading)

// Reads the table members of card files for the overview on a few worker
// threads, through the content search's member reader and its cache: a card
// file unchanged since a search (or an earlier overview) is not read again,
// and what is read here serves the next search. The user-interface thread
// only hears how far the reading got and, at the end, the cards.
class OverviewReader : public QObject {
    Q_OBJECT
public:
    explicit OverviewReader(CardTextCache& cache, QObject* parent = nullptr);
    // Stops and waits for the workers.
    ~OverviewReader() override;

    // Starts reading the card files `entries` of directory (with a trailing
    // "/") through the archive library at libraryPath; a reading still running
    // is stopped first. Throws AppError when the library cannot be loaded.
    void start(const QString& libraryPath, const QString& directory, const QStringList& entries);
    // The workers take no further card; `finished` follows with what was read.
    void stop();
    bool running() const { return !workers_.empty(); }
    int total() const { return int(entries_.size()); }

signals:
    // done of total card files are read; a few times a second.
    void progressed(int done, int total);
    void finished(const OverviewReading& reading);

private:
    void work();
    OverviewCard readCard(int index, T7zInArchivePtr& reader);
    void checkWorkers();
    void finish();

    CardTextCache& cache_;
    T7zLibraryPtr library_;
    QString libraryPath_;
    QString directory_;
    QStringList entries_;
    std::unique_ptr<StampedFolder> folder_;
    std::vector<std::optional<OverviewCard>> cards_;
    std::atomic<int> nextCard_{0};
    std::atomic<int> done_{0};
    std::atomic<int> filesRead_{0};
    std::atomic<int> workersRunning_{0};
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> workers_;
    QTimer poll_;
};
