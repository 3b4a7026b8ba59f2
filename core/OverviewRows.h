#pragma once

#include "core/OverviewModel.h"

#include <QCollatorSortKey>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <optional>
#include <vector>

class QCollator;

// The parts of the overview's rows that take time with many cards, worked out
// where the cards are read (the reader's worker threads) so that the window
// only takes them over: the columns by use, each card file's row, each row's
// text for the filter and the ranks of the column sorted by.
namespace overviewrows {

// The title of the first column, the card name.
inline const QString NameTitle = QStringLiteral("Karta");

// The card of fileName with its table member as stored (code page 1250, rows
// ended by CR LF, CR or LF, the text ending at a NUL): what
// OverviewCard::fromTable gives for its rows, without decoding the member
// first.
OverviewCard cardFromTableBytes(const QString& fileName, const QByteArray& table);

// The keys of the cards' tables, each counted once per card that has it, the
// most used first (ties in the order the keys first appear).
QStringList keysByUse(const QList<OverviewCard>& cards);
// The row of each card file.
QHash<QString, int> rowIndex(const QList<OverviewCard>& cards);

// Czech collation as the overview sorts: numbers by their value, letter case
// ignored.
QCollator czechCollator();
// The text of the column titled title for card: the card name for NameTitle.
QString cellOf(const OverviewCard& card, const QString& title);
// The rank of each row by its sort key; equal keys share a rank, rows without
// a key (empty cells) have rank -1.
std::vector<int> ranksOf(const std::vector<std::optional<QCollatorSortKey>>& sortKeys);

// The card's shown cells (those not titled in hiddenTitles), each followed by
// a line break, letter case folded, and accents too unless withAccents.
QString foldedRowText(const OverviewCard& card, const QSet<QString>& hiddenTitles,
                      bool withAccents);
// text with letter case and accents folded as foldedRowText does it.
QString foldedText(const QString& text);

// Lets value go on a thread of the pool: the rows of a hundred thousand
// cards take the user-interface thread a noticeable while to free. The
// pool's threads end before the program does.
template <typename Value> void freeElsewhere(Value&& value) {
    QThreadPool::globalInstance()->start([kept = std::forward<Value>(value)] { Q_UNUSED(kept); });
}

} // namespace overviewrows

// What a reading prepares for the window beside the cards.
struct OverviewPrepared {
    bool ready = false;
    QStringList keys;
    QHash<QString, int> rowByFile;
    // Each row's shown cells folded without accents, for the filter; the
    // titles of the columns left out.
    std::vector<QString> foldedTexts;
    QSet<QString> foldedWithout;
    // The ranks of the column titled rankedTitle; none when it is empty.
    QString rankedTitle;
    std::vector<int> ranks;
};
