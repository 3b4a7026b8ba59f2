#include "core/OverviewRows.h"

#include "core/AccentFolding.h"
#include "storage/CardFileNames.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace overviewrows {

namespace {

// Between cells: a filter text typed into one line never holds it, so it
// never matches across two cells.
constexpr QChar CellBreak = u'\n';

// accents::folded one character at a time, which gives the same for text
// whether composed or not; the characters below TableSize (Latin, Greek,
// Cyrillic and the combining marks among them) are looked up in a table
// made once, which makes folding many rows fast.
class FoldTable {
public:
    static constexpr char16_t TableSize = 0x2000;

    FoldTable() {
        table_.reserve(TableSize);
        for (char16_t c = 0; c < TableSize; ++c)
            table_.append(accents::folded(QString(QChar(c))));
    }

    QString folded(const QString& text) const {
        QString result;
        result.reserve(text.size());
        for (qsizetype at = 0; at < text.size(); ++at) {
            const char16_t c = text[at].unicode();
            if (c < 0x80)
                result += (c >= u'a' && c <= u'z') ? QChar(c - u'a' + u'A') : QChar(c);
            else if (c < TableSize)
                result += table_[c];
            else if (QChar::isHighSurrogate(c) && at + 1 < text.size())
                result += accents::folded(text.mid(at++, 2));
            else
                result += accents::folded(QString(QChar(c)));
        }
        return result;
    }

private:
    QStringList table_;
};

} // namespace

QStringList keysByUse(const QList<OverviewCard>& cards) {
    QHash<QString, int> uses;
    QStringList firstSeen;
    for (const OverviewCard& card : cards) {
        for (const auto& cell : card.cells) {
            int& count = uses[cell.first];
            if (count++ == 0)
                firstSeen.append(cell.first);
        }
    }
    std::stable_sort(firstSeen.begin(), firstSeen.end(),
                     [&](const QString& a, const QString& b) { return uses[a] > uses[b]; });
    return firstSeen;
}

QHash<QString, int> rowIndex(const QList<OverviewCard>& cards) {
    QHash<QString, int> rows;
    rows.reserve(cards.size());
    for (int row = 0; row < cards.size(); ++row)
        rows.insert(cards[row].fileName, row);
    return rows;
}

QCollator czechCollator() {
    QCollator collator(QLocale(QLocale::Czech, QLocale::Czechia));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

QString cellOf(const OverviewCard& card, const QString& title) {
    return title == NameTitle ? cardfile::cardNameOf(card.fileName) : card.value(title);
}

std::vector<int> ranksOf(const std::vector<std::optional<QCollatorSortKey>>& sortKeys) {
    std::vector<int> filled;
    for (int row = 0; row < int(sortKeys.size()); ++row) {
        if (sortKeys[row])
            filled.push_back(row);
    }
    const auto keyOf = [&](int place) -> const QCollatorSortKey& {
        return *sortKeys[filled[place]];
    };
    std::vector<int> order(filled.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keyOf(a).compare(keyOf(b)) < 0; });
    std::vector<int> ranks(sortKeys.size(), -1);
    int rank = 0;
    for (size_t position = 0; position < order.size(); ++position) {
        if (position > 0 && keyOf(order[position - 1]).compare(keyOf(order[position])) != 0)
            ++rank;
        ranks[filled[order[position]]] = rank;
    }
    return ranks;
}

QString foldedRowText(const OverviewCard& card, const QSet<QString>& hiddenTitles,
                      bool withAccents) {
    QString joined;
    if (!hiddenTitles.contains(NameTitle)) {
        joined += cardfile::cardNameOf(card.fileName);
        joined += CellBreak;
    }
    for (const auto& [key, value] : card.cells) {
        if (value.isEmpty() || hiddenTitles.contains(key))
            continue;
        joined += value;
        joined += CellBreak;
    }
    return withAccents ? joined.toCaseFolded() : foldedText(joined);
}

QString foldedText(const QString& text) {
    static const FoldTable table;
    return table.folded(text);
}

} // namespace overviewrows
