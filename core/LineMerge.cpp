#include "core/LineMerge.h"

#include <vector>

namespace linemerge {
namespace {

// Beyond this many cells of the comparison table, the middle of two texts
// (after their common start and end) counts as one changed stretch.
constexpr qint64 kMostCells = 4'000'000;

QStringList slice(const QStringList& lines, int from, int to) {
    return lines.mid(from, to - from);
}

// A place where base, mine and theirs hold the same line.
struct Anchor {
    int base;
    int mine;
    int theirs;
};

Chunk resolved(const QStringList& lines) {
    Chunk chunk;
    chunk.lines = lines;
    return chunk;
}

Chunk conflictOf(const QStringList& mine, const QStringList& theirs, int mineLine) {
    Chunk chunk;
    chunk.conflict = true;
    chunk.mine = mine;
    chunk.theirs = theirs;
    chunk.mineLine = mineLine;
    return chunk;
}

// The stretch between two anchors: taken from the side that changed it, or
// a conflict when both did, differently.
Chunk between(const std::optional<QStringList>& base, const QStringList& mine,
              const QStringList& theirs, int mineLine) {
    if (mine == theirs)
        return resolved(mine);
    if (base && mine == *base)
        return resolved(theirs);
    if (base && theirs == *base)
        return resolved(mine);
    return conflictOf(mine, theirs, mineLine);
}

QList<Anchor> anchorsWithBase(const QStringList& base, const QStringList& mine,
                              const QStringList& theirs) {
    std::vector<int> inMine(base.size(), -1);
    std::vector<int> inTheirs(base.size(), -1);
    for (const auto& [b, m] : matchLines(base, mine))
        inMine[b] = m;
    for (const auto& [b, t] : matchLines(base, theirs))
        inTheirs[b] = t;
    QList<Anchor> anchors;
    for (int b = 0; b < base.size(); ++b) {
        if (inMine[b] >= 0 && inTheirs[b] >= 0)
            anchors.append({b, inMine[b], inTheirs[b]});
    }
    return anchors;
}

QList<Anchor> anchorsWithoutBase(const QStringList& mine, const QStringList& theirs) {
    QList<Anchor> anchors;
    for (const auto& [m, t] : matchLines(mine, theirs))
        anchors.append({0, m, t});
    return anchors;
}

} // namespace

QList<QPair<int, int>> matchLines(const QStringList& a, const QStringList& b) {
    QList<QPair<int, int>> pairs;
    int start = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start]) {
        pairs.append({start, start});
        ++start;
    }
    int endA = int(a.size());
    int endB = int(b.size());
    QList<QPair<int, int>> tail;
    while (endA > start && endB > start && a[endA - 1] == b[endB - 1])
        tail.prepend({--endA, --endB});

    const int rows = endA - start;
    const int columns = endB - start;
    if (rows > 0 && columns > 0 && qint64(rows) * columns <= kMostCells) {
        // lengths[i][j]: the longest common subsequence of a[start+i..] and b[start+j..].
        std::vector<int> lengths(size_t(rows + 1) * (columns + 1), 0);
        const auto at = [&](int i, int j) -> int& {
            return lengths[size_t(i) * (columns + 1) + j];
        };
        for (int i = rows - 1; i >= 0; --i)
            for (int j = columns - 1; j >= 0; --j)
                at(i, j) = a[start + i] == b[start + j] ? at(i + 1, j + 1) + 1
                                                        : qMax(at(i + 1, j), at(i, j + 1));
        for (int i = 0, j = 0; i < rows && j < columns;) {
            if (a[start + i] == b[start + j]) {
                pairs.append({start + i, start + j});
                ++i;
                ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    return pairs + tail;
}

QList<Chunk> merge(const std::optional<QStringList>& base, const QStringList& mine,
                   const QStringList& theirs) {
    QList<Anchor> anchors =
        base ? anchorsWithBase(*base, mine, theirs) : anchorsWithoutBase(mine, theirs);
    const int baseSize = base ? int(base->size()) : 0;
    anchors.append({baseSize, int(mine.size()), int(theirs.size())});

    QList<Chunk> chunks;
    Anchor previous{-1, -1, -1};
    for (const Anchor& anchor : anchors) {
        const QStringList mineLines = slice(mine, previous.mine + 1, anchor.mine);
        const QStringList theirLines = slice(theirs, previous.theirs + 1, anchor.theirs);
        std::optional<QStringList> baseLines;
        if (base)
            baseLines = slice(*base, previous.base + 1, anchor.base);
        if (!mineLines.isEmpty() || !theirLines.isEmpty() || (baseLines && !baseLines->isEmpty()))
            chunks.append(between(baseLines, mineLines, theirLines, previous.mine + 1));
        if (anchor.mine < mine.size())
            chunks.append(resolved({mine[anchor.mine]}));
        previous = anchor;
    }
    return chunks;
}

} // namespace linemerge
