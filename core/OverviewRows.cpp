#include "core/OverviewRows.h"

#include "core/AccentFolding.h"
#include "storage/CardFileNames.h"
#include "storage/Cp1250.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace overviewrows {

namespace {

// Between cells: a filter text typed into one line never holds it, so it
// never matches across two cells.
constexpr QChar CellBreak = u'\n';

// A folding of text done one character at a time (accents::folded, or
// QString::toCaseFolded), which gives the same for text whether composed or
// not; the characters below TableSize (Latin, Greek, Cyrillic and the
// combining marks among them) are looked up in a table made once, which makes
// folding many rows fast.
class FoldTable {
public:
    static constexpr char16_t TableSize = 0x2000;
    using Folding = QString (*)(const QString&);

    explicit FoldTable(Folding fold) : fold_(fold) {
        longer_.resize(TableSize);
        for (char16_t c = 0; c < TableSize; ++c) {
            const QString folded = fold_(QString(QChar(c)));
            if (folded.size() == 1)
                single_[c] = folded.front().unicode();
            else
                longer_[c] = folded;
        }
    }

    // Writes text folded into result from position at, where result has room
    // for text.size() characters, and returns the position after it; the
    // rare character that folds to more characters than it has makes room.
    qsizetype write(QString& result, qsizetype at, QStringView text) const {
        QChar* out = result.data() + at;
        for (qsizetype from = 0; from < text.size(); ++from) {
            const char16_t c = text[from].unicode();
            if (c < TableSize && single_[c] != 0) {
                *out++ = QChar(single_[c]);
                continue;
            }
            const qsizetype units = QChar::isHighSurrogate(c) && from + 1 < text.size() ? 2 : 1;
            const QString folded =
                c < TableSize ? longer_[c] : fold_(text.mid(from, units).toString());
            from += units - 1;
            at = out - result.constData();
            if (folded.size() > units)
                result.resize(result.size() + folded.size() - units);
            out = std::copy(folded.cbegin(), folded.cend(), result.data() + at);
        }
        return out - result.constData();
    }

private:
    Folding fold_;
    // What each character folds to when that is one character (0: it is not).
    std::array<char16_t, TableSize> single_{};
    // What the others fold to: none or several characters.
    QList<QString> longer_;
};

// Letter case and accents folded.
const FoldTable& foldTable() {
    static const FoldTable table(accents::folded);
    return table;
}

// Letter case folded only.
const FoldTable& caseFoldTable() {
    static const FoldTable table([](const QString& text) { return text.toCaseFolded(); });
    return table;
}

QString decoded(const char* bytes, qsizetype size) {
    const std::array<char16_t, 256>& characters = cp1250::byteCharacters();
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype at = 0; at < size; ++at)
        out[at] = QChar(characters[uchar(bytes[at])]);
    return text;
}

// The key of the stored bytes: the same keys recur in every card, and one
// string per thread shared by all of them saves the memory and the time of a
// copy in each card.
QString sharedKey(const char* bytes, qsizetype size) {
    thread_local QHash<QByteArray, QString> keys;
    const auto known = keys.constFind(QByteArray::fromRawData(bytes, size));
    if (known != keys.cend())
        return *known;
    return *keys.insert(QByteArray(bytes, size), decoded(bytes, size));
}

// A table row's key and value, split at the first "=" (a row without one is
// a key alone), added to card: a key seen before gets the value joined to its
// cell.
void addRow(OverviewCard& card, const char* row, qsizetype size) {
    const char* equals = static_cast<const char*>(std::memchr(row, '=', size_t(size)));
    const qsizetype keySize = equals ? equals - row : size;
    if (keySize == 0)
        return; // a row without a key has no column to go to
    const QString key = sharedKey(row, keySize);
    const QString value = equals ? decoded(equals + 1, size - keySize - 1) : QString();
    for (auto& [cellKey, cellValue] : card.cells) {
        if (cellKey != key)
            continue;
        if (value.isEmpty())
            return;
        if (!cellValue.isEmpty())
            cellValue += QStringLiteral("; ");
        cellValue += value;
        return;
    }
    card.cells.append({key, value});
}

} // namespace

OverviewCard cardFromTableBytes(const QString& fileName, const QByteArray& table) {
    OverviewCard card;
    card.fileName = fileName;
    const char* text = table.constData();
    const qsizetype nul = table.indexOf('\0');
    const qsizetype end = nul < 0 ? table.size() : nul;
    qsizetype rowStart = 0;
    for (qsizetype at = 0; at < end; ++at) {
        if (text[at] != '\r' && text[at] != '\n')
            continue;
        addRow(card, text + rowStart, at - rowStart);
        if (text[at] == '\r' && at + 1 < end && text[at + 1] == '\n')
            ++at;
        rowStart = at + 1;
    }
    if (rowStart < end)
        addRow(card, text + rowStart, end - rowStart);
    return card;
}

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
    const bool nameShown = !hiddenTitles.contains(NameTitle);
    const QString name = nameShown ? cardfile::cardNameOf(card.fileName) : QString();
    qsizetype length = name.size() + 1;
    for (const auto& cell : card.cells)
        length += cell.second.size() + 1;
    QString folded(length, Qt::Uninitialized);
    const FoldTable& table = withAccents ? caseFoldTable() : foldTable();
    qsizetype at = 0;
    const auto writeCell = [&](QStringView text) {
        at = table.write(folded, at, text);
        folded[at++] = CellBreak;
    };
    if (nameShown)
        writeCell(name);
    for (const auto& [key, value] : card.cells) {
        if (!value.isEmpty() && !hiddenTitles.contains(key))
            writeCell(value);
    }
    folded.truncate(at);
    return folded;
}

QString foldedText(const QString& text) {
    QString folded(text.size(), Qt::Uninitialized);
    folded.truncate(foldTable().write(folded, 0, text));
    return folded;
}

} // namespace overviewrows
