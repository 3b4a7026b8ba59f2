#pragma once

#include <QList>
#include <QString>

// How many versions each card keeps. The 30 newest versions always stay.
// Older ones stay too, newest first, while the card's versions together take
// no more than 32 MiB, and never more than 100 versions in all. The first
// older version that does not fit is dropped with every version older than it.
//
// A card with a 320 x 240 picture (about 220 kB a version) so keeps 100
// versions, a card of text alone 100 as well, and a card whose versions are
// larger than about 1 MiB keeps its 30 newest.
namespace historyretention {

inline constexpr qsizetype kAlwaysKept = 30;
inline constexpr qsizetype kMostKept = 100;
inline constexpr qint64 kBudgetBytes = 32 * 1024 * 1024;

// How many of the versions, whose sizes are given newest first, are kept.
qsizetype keptCount(const QList<qint64>& sizesNewestFirst);

// Removes the versions in the history folder that the rule does not keep.
// A version that cannot be removed stays until a later save prunes again.
void prune(const QString& folder);

} // namespace historyretention
