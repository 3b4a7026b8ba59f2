#include "core/OverviewSortFilter.h"

#include "core/AccentFolding.h"
#include "core/OverviewModel.h"

#include <algorithm>
#include <thread>

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

QString fastFolded(const QString& text) {
    static const FoldTable table;
    return table.folded(text);
}

} // namespace

OverviewSortFilter::OverviewSortFilter(OverviewModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
    setSourceModel(&model);
    setDynamicSortFilter(true);
    // Before the proxy hears of the change: it filters the new rows at once.
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this,
            &OverviewSortFilter::forgetRowTexts);
    connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &OverviewSortFilter::forgetRowTexts);
    connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &OverviewSortFilter::forgetRowTexts);
    connect(&model, &QAbstractItemModel::columnsAboutToBeInserted, this,
            &OverviewSortFilter::forgetRowTexts);
    connect(&model, &OverviewModel::cardReplaced, this, &OverviewSortFilter::foldRowAgain);
}

void OverviewSortFilter::setFilterText(const QString& text) {
    if (text == filterText_)
        return;
    filterText_ = text;
    needleHasAccents_ = accents::hasAccents(text);
    needle_ = needleHasAccents_ ? text.toCaseFolded() : fastFolded(text);
    invalidateRowsFilter();
}

void OverviewSortFilter::setHiddenColumns(const QSet<int>& columns) {
    if (columns == hiddenColumns_)
        return;
    hiddenColumns_ = columns;
    hiddenKeys_.clear();
    for (const int column : columns) {
        if (column != OverviewModel::NameColumn)
            hiddenKeys_.insert(model_.headerData(column, Qt::Horizontal).toString());
    }
    forgetRowTexts();
    if (!filterText_.isEmpty())
        invalidateRowsFilter();
}

bool OverviewSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (needle_.isEmpty())
        return true;
    if (!rowTextsValid_ || rowTextsWithAccents_ != needleHasAccents_)
        foldRowTexts();
    return rowTexts_[sourceRow].contains(needle_);
}

bool OverviewSortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const std::vector<int>& ranks = model_.sortRanks(left.column());
    const int leftRank = ranks[left.row()];
    const int rightRank = ranks[right.row()];
    // Empty cells (rank -1) go last whichever way the column is sorted: a
    // descending sort asks the other way round.
    if ((leftRank < 0) != (rightRank < 0))
        return (leftRank < 0) == (sortOrder() == Qt::DescendingOrder);
    return leftRank < rightRank;
}

void OverviewSortFilter::foldRowAgain(int sourceRow) {
    // Rows not folded yet are folded when the filter next needs them.
    if (rowTextsValid_)
        rowTexts_[sourceRow] = rowText(sourceRow);
}

void OverviewSortFilter::forgetRowTexts() {
    rowTextsValid_ = false;
    rowTexts_.clear();
}

void OverviewSortFilter::foldRowTexts() const {
    // Folding is the costly part: the rows are shared among the cores.
    const int rows = model_.rowCount();
    rowTexts_.assign(rows, QString());
    rowTextsWithAccents_ = needleHasAccents_;
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    std::vector<std::thread> threads;
    for (int worker = 0; worker < workers; ++worker) {
        threads.emplace_back([this, worker, workers, rows] {
            for (int row = worker; row < rows; row += workers)
                rowTexts_[row] = rowText(row);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    rowTextsValid_ = true;
}

QString OverviewSortFilter::rowText(int sourceRow) const {
    QString joined;
    if (!hiddenColumns_.contains(OverviewModel::NameColumn)) {
        joined += model_.cellText(sourceRow, OverviewModel::NameColumn);
        joined += CellBreak;
    }
    for (const auto& [key, value] : model_.card(sourceRow).cells) {
        if (value.isEmpty() || hiddenKeys_.contains(key))
            continue;
        joined += value;
        joined += CellBreak;
    }
    return rowTextsWithAccents_ ? joined.toCaseFolded() : fastFolded(joined);
}
