#pragma once

#include <QList>
#include <QStringList>
#include <optional>

// Joins two versions of a text line by line (the notes of a card): lines
// changed on one side only are taken, a stretch changed on both sides
// differently is a conflict, left for the user. With the common base the two
// versions came from, "changed" means changed from the base; without one,
// every stretch where the two versions differ is a conflict, as nothing tells
// an added line from one removed on the other side.
namespace linemerge {

struct Chunk {
    QStringList lines; // the lines agreed on (when !conflict)
    bool conflict = false;
    QStringList mine; // the two sides of a conflict
    QStringList theirs;
    int mineLine = 0; // the 0-based line of mine where the stretch starts
};

QList<Chunk> merge(const std::optional<QStringList>& base, const QStringList& mine,
                   const QStringList& theirs);

// The matched lines of a and b (a longest common subsequence), as pairs of
// indexes in ascending order.
QList<QPair<int, int>> matchLines(const QStringList& a, const QStringList& b);

} // namespace linemerge
