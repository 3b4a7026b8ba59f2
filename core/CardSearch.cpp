#include "core/CardSearch.h"

#include "core/CardTextMembers.h"
#include "core/MemberMatcher.h"
#include "core/TextMatcher.h"
#include "storage/AppState.h"
#include "storage/CardFileNames.h"

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

} // namespace

CardSearch::CardSearch(AppState& state, SearchListener& listener)
    : state_(state), listener_(listener) {}

SearchOutcome CardSearch::run(const QStringList& entries, const QString& text,
                              const SearchOptions& options) {
    RunningFlag running(state_.SearchRunning);
    const QString searched = options.wholeWords ? u' ' + text + u' ' : text;
    if (!options.inNames)
        return searchContents(entries, searched, options.caseSensitive);
    if (options.fullName)
        return lookUpWholeName(entries, searched);
    return searchNames(entries, searched);
}

SearchOutcome CardSearch::lookUpWholeName(const QStringList& entries, const QString& text) {
    SearchOutcome outcome;
    outcome.wholeNameRow = FindCardEntry(entries, WholeNameEntry(text));
    if (outcome.wholeNameRow < 0)
        listener_.progressed(entries.size());
    return outcome;
}

SearchOutcome CardSearch::searchNames(const QStringList& entries, const QString& text) {
    const TextMatcher matcher(text, false);
    SearchOutcome outcome;
    for (int row = 0; row < entries.size(); ++row) {
        if (!state_.SearchRunning) {
            outcome.stopped = true;
            return outcome;
        }
        if (matcher.matches(entries[row])) {
            listener_.resultFound(entries[row]);
            ++outcome.count;
        }
        listener_.progressed(row + 1);
    }
    return outcome;
}

SearchOutcome CardSearch::searchContents(const QStringList& entries, const QString& text,
                                         bool caseSensitive) {
    const MemberMatcher matcher(text, caseSensitive);
    const QString libraryPath = state_.libraryPath();
    SearchOutcome outcome;
    for (int row = 0; row < entries.size(); ++row) {
        if (!state_.SearchRunning) {
            outcome.stopped = true;
            return outcome;
        }
        listener_.progressed(row + 1);
        const QString& entry = entries[row];
        const CardTextMembers members =
            ReadCardTextMembers(libraryPath, state_.CardDir + entry, cardfile::cardNameOf(entry));
        // Notes lines come before table lines.
        const int matches =
            matcher.matchingLines(members.notes) + matcher.matchingLines(members.table);
        for (int i = 0; i < matches; ++i)
            listener_.resultFound(entry);
        outcome.count += matches;
    }
    return outcome;
}

int FindCardEntry(const QStringList& entries, const QString& name) {
    for (int row = 0; row < entries.size(); ++row) {
        if (entries[row].compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

QString WholeNameEntry(const QString& text) {
    const int dot = text.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : text.mid(dot);
    return extension.toUpper() == QStringLiteral(".KRT") ? text : text + QStringLiteral(".krt");
}
