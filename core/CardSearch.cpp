#include "core/CardSearch.h"

#include "core/AccentFolding.h"
#include "core/CardTextCache.h"
#include "core/CardTextReader.h"
#include "core/SearchSession.h"
#include "core/TextMatcher.h"
#include "storage/AppState.h"

namespace {

// Clears SearchRunning however the search ends, an error included, so that a
// failed search does not look as if it were still running.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

// How long the search waits for a card file before it lets the listener act:
// short enough for the windows to stay alive and a stop to take at once.
constexpr std::chrono::milliseconds kWaitingStep(10);

LetterMatch letterMatch(const SearchOptions& options) {
    if (options.withoutAccents)
        return LetterMatch::AccentBlind;
    return options.caseSensitive ? LetterMatch::Exact : LetterMatch::CaseBlind;
}

} // namespace

SearchPlace SearchPlace::of(const AppState& state) {
    return SearchPlace{state.CardDir, state.libraryPath()};
}

CardSearch::CardSearch(const SearchPlace& place, SearchSession& session, SearchListener& listener)
    : CardSearch(place, session, listener, CardTextCache::shared()) {}

CardSearch::CardSearch(const SearchPlace& place, SearchSession& session, SearchListener& listener,
                       CardTextCache& cache)
    : place_(place), session_(session), listener_(listener), cache_(cache),
      workerCount_(CardTextReader::defaultWorkerCount()) {}

SearchOutcome CardSearch::run(const QStringList& entries, const QString& text,
                              const SearchOptions& options) {
    RunningFlag running(session_.SearchRunning);
    const QString searched = options.wholeWords ? u' ' + text + u' ' : text;
    if (!options.inNames)
        return searchContents(entries, searched, options);
    if (options.fullName)
        return lookUpWholeName(entries, searched);
    return searchNames(entries, searched, options.withoutAccents);
}

SearchOutcome CardSearch::lookUpWholeName(const QStringList& entries, const QString& text) {
    SearchOutcome outcome;
    outcome.wholeNameRow = cardentries::findCardEntry(entries, cardentries::wholeNameEntry(text));
    if (outcome.wholeNameRow < 0)
        listener_.progressed(entries.size());
    return outcome;
}

SearchOutcome CardSearch::searchNames(const QStringList& entries, const QString& text,
                                      bool withoutAccents) {
    const TextMatcher matcher(withoutAccents ? accents::folded(text) : text, false);
    SearchOutcome outcome;
    for (int row = 0; row < entries.size(); ++row) {
        if (!session_.SearchRunning) {
            outcome.stopped = true;
            return outcome;
        }
        if (matcher.matches(withoutAccents ? accents::folded(entries[row]) : entries[row])) {
            listener_.resultFound(entries[row]);
            ++outcome.count;
        }
        listener_.progressed(row + 1);
    }
    return outcome;
}

SearchOutcome CardSearch::searchContents(const QStringList& entries, const QString& text,
                                         const SearchOptions& options) {
    SearchOutcome outcome;
    if (entries.isEmpty())
        return outcome;
    const CardTextMatcher matcher(text, letterMatch(options));
    CardTextReader reader(sevenzip::loadArchiveLibrary(place_.libraryPath), cache_, matcher,
                          place_.cardDir, entries, workerCount_);
    for (int row = 0; row < entries.size(); ++row) {
        if (!session_.SearchRunning) {
            reader.stop();
            outcome.stopped = true;
            outcome.cardFilesRead = reader.cardFilesRead();
            return outcome;
        }
        listener_.progressed(row + 1);
        const CardReading reading = awaitReading(reader, row);
        const QString& entry = entries[row];
        if (!reading.readable()) {
            outcome.unreadable << entry;
            continue;
        }
        for (int i = 0; i < reading.matchingLines; ++i)
            listener_.resultFound(entry);
        outcome.count += reading.matchingLines;
    }
    cache_.keepOnly(place_.cardDir, entries);
    outcome.cardFilesRead = reader.cardFilesRead();
    return outcome;
}

// The card once begun is finished even when the search is stopped meanwhile,
// as it was counted done already; the listener is left alone after a stop.
CardReading CardSearch::awaitReading(CardTextReader& reader, int row) {
    for (;;) {
        if (std::optional<CardReading> reading = reader.reading(row, kWaitingStep))
            return *std::move(reading);
        if (session_.SearchRunning)
            listener_.waiting();
    }
}

namespace cardentries {

int findCardEntry(const QStringList& entries, const QString& name) {
    for (int row = 0; row < entries.size(); ++row) {
        if (entries[row].compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

QString wholeNameEntry(const QString& text) {
    const int dot = text.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : text.mid(dot);
    return extension.toUpper() == QStringLiteral(".KRT") ? text : text + QStringLiteral(".krt");
}

} // namespace cardentries
