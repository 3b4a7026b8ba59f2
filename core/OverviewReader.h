#pragma once

#include "core/CardFileStamp.h"
#include "core/OverviewModel.h"
#include "core/OverviewRows.h"
#include "storage/sevenzip/ArchiveFunctions.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

class CardTextCache;

// What a reading of card files for the overview found, in the order of the
// entries it was given.
struct OverviewReading {
    QList<OverviewCard> cards; // one per entry; an unread or unreadable one has no cells
    QStringList unreadable;    // entries whose card file could not be read
    bool stopped = false;      // stopped before the last card file
    int cardFilesRead = 0;     // read through the archive library; the rest came from the cache
    OverviewPrepared prepared; // ready when the reader was asked to prepare the rows
};
Q_DECLARE_METATYPE(OverviewReading)

// Reads the table members of card files for the overview on a few worker
// threads, through the content search's member reader and its cache: a card
// file unchanged since a search (or an earlier overview) is not read again,
// and what is read here serves the next search. The user-interface thread
// only hears how far the reading got and, at the end, the cards, with the
// rows prepared for the window when it asked for that.
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
    // The readings that start from now on prepare the rows for the window
    // (OverviewPrepared): the filter's texts leave out the columns titled
    // hiddenTitles, and the column titled sortTitle (none when empty) is ranked.
    void prepareRows(const QSet<QString>& hiddenTitles, const QString& sortTitle);
    bool running() const { return !workers_.empty(); }
    int total() const { return int(entries_.size()); }

signals:
    // done of total card files are read; a few times a second.
    void progressed(int done, int total);
    void finished(const OverviewReading& reading);

private:
    void work();
    OverviewCard readCard(int index, T7zInArchivePtr& reader);
    void prepareCard(int index, const OverviewCard& card, const QCollator& collator);
    void assembleReading();
    void checkWorkers();
    void finish(int generation);

    CardTextCache& cache_;
    T7zLibraryPtr library_;
    QString libraryPath_;
    QString directory_;
    QStringList entries_;
    std::unique_ptr<StampedFolder> folder_;
    std::vector<std::optional<OverviewCard>> cards_;
    std::optional<std::pair<QSet<QString>, QString>> nextPreparation_;
    bool prepare_ = false;
    QSet<QString> hiddenTitles_;
    QString sortTitle_;
    std::vector<QString> foldedTexts_;
    std::vector<std::optional<QCollatorSortKey>> sortKeys_;
    // Made by the last worker to end.
    OverviewReading reading_;
    int generation_ = 0;
    std::atomic<int> workersReading_{0};
    std::atomic<int> nextCard_{0};
    std::atomic<int> done_{0};
    std::atomic<int> filesRead_{0};
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> workers_;
    QTimer poll_;
};
