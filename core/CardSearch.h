#pragma once

#include <QString>
#include <QStringList>

struct AppState;

// The options of one search, as the search dialog's controls hold them when it
// starts.
struct SearchOptions {
    bool inNames = false;       // `InNam`: match the card list entries, not the card contents
    bool caseSensitive = false; // `CaSen`: content search with exact letter case
    bool fullName = false;      // `FullNam`: name search for one whole entry
    bool wholeWords = false;    // `WholWorld`: the text padded with a space on each side
};

// Receives what a running search finds, as it finds it.
class SearchListener {
public:
    virtual ~SearchListener() = default;
    // One match: the card list entry of the matching card file.
    virtual void resultFound(const QString& entry) = 0;
    // `cardsDone` card list entries are dealt with (the progress position).
    virtual void progressed(int cardsDone) = 0;
};

struct SearchOutcome {
    // The search ended early because SearchRunning went false.
    bool stopped = false;
    // Name search: matching entries; content search: matching lines.
    int count = 0;
    // Whole-name search: the row of the entry found, -1 when there is none.
    int wholeNameRow = -1;
};

// Searches the card list entries or the contents of their card files. Holds no
// widgets; the search dialog shows what the listener hears.
class CardSearch {
public:
    CardSearch(AppState& state, SearchListener& listener);

    // Runs one search over `entries` (card list order). Sets state.SearchRunning
    // while it runs and stops before the next card once it goes false. Results
    // come in entry order; within a card file notes lines before table lines.
    // Throws AppError when a card file cannot be read; what was found before stays
    // reported. SearchRunning is false again on every way out.
    SearchOutcome run(const QStringList& entries, const QString& text,
                      const SearchOptions& options);

private:
    SearchOutcome lookUpWholeName(const QStringList& entries, const QString& text);
    SearchOutcome searchNames(const QStringList& entries, const QString& text);
    SearchOutcome searchContents(const QStringList& entries, const QString& text,
                                 bool caseSensitive);

    AppState& state_;
    SearchListener& listener_;
};

// The row of `name` among `entries`, letter case ignored; -1 when missing.
int FindCardEntry(const QStringList& entries, const QString& name);

// The card list entry a whole-name search looks for: the text itself when its
// extension is ".krt" in any letter case, otherwise the text + ".krt".
QString WholeNameEntry(const QString& text);
