#include "core/OverviewSortFilter.h"

#include "core/AccentFolding.h"
#include "core/OverviewModel.h"
#include "core/OverviewRows.h"

#include <algorithm>
#include <thread>

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
    needle_ = needleHasAccents_ ? text.toCaseFolded() : overviewrows::foldedText(text);
    invalidateRowsFilter();
}

void OverviewSortFilter::setHiddenColumns(const QSet<int>& columns) {
    QSet<QString> titles;
    for (const int column : columns)
        titles.insert(model_.headerData(column, Qt::Horizontal).toString());
    const bool changed = titles != hiddenTitles_;
    hiddenTitles_ = titles;
    // Texts folded beforehand may have left out other columns.
    if (rowTextsValid_ && rowTextsWithout_ != hiddenTitles_)
        forgetRowTexts();
    if (changed && !filterText_.isEmpty())
        invalidateRowsFilter();
}

void OverviewSortFilter::takeFoldedTextsAtReset(std::vector<QString> texts,
                                                QSet<QString> hiddenTitles) {
    incomingTexts_ = std::move(texts);
    incomingWithout_ = std::move(hiddenTitles);
    textsIncoming_ = true;
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
    overviewrows::freeElsewhere(std::exchange(rowTexts_, {}));
    if (!std::exchange(textsIncoming_, false))
        return;
    rowTexts_ = std::move(incomingTexts_);
    rowTextsWithout_ = std::move(incomingWithout_);
    rowTextsWithAccents_ = false;
    rowTextsValid_ = true;
}

void OverviewSortFilter::foldRowTexts() const {
    // Folding is the costly part: the rows are shared among the cores, each
    // taking a run of them so that no two write next to each other. The texts
    // folded before are freed elsewhere.
    const int rows = model_.rowCount();
    overviewrows::freeElsewhere(std::exchange(rowTexts_, std::vector<QString>(rows)));
    rowTextsWithAccents_ = needleHasAccents_;
    rowTextsWithout_ = hiddenTitles_;
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    const int run = (rows + workers - 1) / workers;
    std::vector<std::thread> threads;
    for (int from = 0; from < rows; from += run) {
        threads.emplace_back([this, from, to = std::min(rows, from + run)] {
            for (int row = from; row < to; ++row)
                rowTexts_[row] = rowText(row);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    rowTextsValid_ = true;
}

QString OverviewSortFilter::rowText(int sourceRow) const {
    return overviewrows::foldedRowText(model_.card(sourceRow), rowTextsWithout_,
                                       rowTextsWithAccents_);
}
