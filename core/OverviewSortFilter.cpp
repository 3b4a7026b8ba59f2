#include "core/OverviewSortFilter.h"

#include "core/AccentFolding.h"
#include "core/OverviewModel.h"

#include <algorithm>
#include <thread>

namespace {

// Between cells: a filter text typed into one line never holds it, so it
// never matches across two cells.
constexpr QChar CellBreak = u'\n';

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
    needle_ = needleHasAccents_ ? text.toCaseFolded() : accents::folded(text);
    invalidateRowsFilter();
}

void OverviewSortFilter::setHiddenColumns(const QSet<int>& columns) {
    if (columns == hiddenColumns_)
        return;
    hiddenColumns_ = columns;
    forgetRowTexts();
    if (!filterText_.isEmpty())
        invalidateRowsFilter();
}

bool OverviewSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (needle_.isEmpty())
        return true;
    if (!rowTextsValid_)
        foldRowTexts();
    const RowText& text = rowTexts_[sourceRow];
    return (needleHasAccents_ ? text.caseFolded : text.accentFolded).contains(needle_);
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
    rowTexts_.assign(rows, RowText());
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

OverviewSortFilter::RowText OverviewSortFilter::rowText(int sourceRow) const {
    QString joined;
    const int columns = model_.columnCount();
    for (int column = 0; column < columns; ++column) {
        if (hiddenColumns_.contains(column))
            continue;
        const QString cell = model_.cellText(sourceRow, column);
        if (cell.isEmpty())
            continue;
        joined += cell;
        joined += CellBreak;
    }
    return {joined.toCaseFolded(), accents::folded(joined)};
}
