#pragma once

#include <QString>
#include <QStringList>

class CardTextCache;
class CardTextReader;
struct AppState;
struct CardReading;
class SearchSession;

// The options of one search, as the search dialog's controls hold them when it
// starts.
struct SearchOptions {
    bool inNames = false;       // `InNam`: match the card list entries, not the card contents
    bool caseSensitive = false; // `CaSen`: content search with exact letter case
    bool fullName = false;      // `FullNam`: name search for one whole entry
    bool wholeWords = false;    // `WholWorld`: the text padded with a space on each side
    // Letters match without their accents and without case ("dvorak" finds
    // "Dvořák"), in names and contents; caseSensitive is then not asked.
    bool withoutAccents = false;
};

// Receives what a running search finds, as it finds it.
class SearchListener {
public:
    virtual ~SearchListener() = default;
    // One match: the card list entry of the matching card file.
    virtual void resultFound(const QString& entry) = 0;
    // `cardsDone` card list entries are dealt with (the progress position).
    virtual void progressed(int cardsDone) = 0;
    // The search waits for the card file being read; called every few
    // milliseconds meanwhile, so that the windows can stay alive and the search
    // can be stopped.
    virtual void waiting() {}
};

struct SearchOutcome {
    // The search ended early because SearchRunning went false.
    bool stopped = false;
    // Name search: matching entries; content search: matching lines.
    int count = 0;
    // Whole-name search: the row of the entry found, -1 when there is none.
    int wholeNameRow = -1;
    // Content search: the entries whose card files could not be read, in list
    // order; they were passed over.
    QStringList unreadable;
    // Content search: the card files read through the archive library; the
    // others were unchanged since a search before and came from its cache.
    int cardFilesRead = 0;
};

// Where a search finds the card files and the archive library.
struct SearchPlace {
    QString cardDir;
    QString libraryPath;

    static SearchPlace of(const AppState& state);
};

// Searches the card list entries or the contents of their card files. Holds no
// widgets; the search dialog shows what the listener hears. The listener is
// called on the calling thread only; a content search reads the card files on
// worker threads (CardTextReader), all ended before run() returns.
class CardSearch {
public:
    CardSearch(const SearchPlace& place, SearchSession& session, SearchListener& listener);
    CardSearch(const SearchPlace& place, SearchSession& session, SearchListener& listener,
               CardTextCache& cache);

    // Runs one search over `entries` (card list order). Sets session.SearchRunning
    // while it runs and stops before the next card once it goes false. Results
    // come in entry order; within a card file notes lines before table lines. A
    // card file that cannot be read is passed over and named in the outcome.
    // Throws AppError when the archive library cannot be loaded. SearchRunning
    // is false again on every way out.
    SearchOutcome run(const QStringList& entries, const QString& text,
                      const SearchOptions& options);
    // The number of card files read side by side; 1 reads them one at a time.
    void setWorkerCount(int count) { workerCount_ = count; }

private:
    SearchOutcome lookUpWholeName(const QStringList& entries, const QString& text);
    SearchOutcome searchNames(const QStringList& entries, const QString& text, bool withoutAccents);
    SearchOutcome searchContents(const QStringList& entries, const QString& text,
                                 const SearchOptions& options);
    CardReading awaitReading(CardTextReader& reader, int row);

    SearchPlace place_;
    SearchSession& session_;
    SearchListener& listener_;
    CardTextCache& cache_;
    int workerCount_;
};

namespace cardentries {

// The row of `name` among `entries`, letter case ignored; -1 when missing.
int findCardEntry(const QStringList& entries, const QString& name);

// The card list entry a whole-name search looks for: the text itself when its
// extension is ".krt" in any letter case, otherwise the text + ".krt".
QString wholeNameEntry(const QString& text);

} // namespace cardentries
