#pragma once

#include <QSet>
#include <QSortFilterProxyModel>
#include <vector>

class OverviewModel;

// The overview's rows as shown: sorted by one column with Czech collation
// (OverviewModel::sortRanks), empty cells last in either direction, and
// narrowed to the rows where a shown cell contains the filter text. Letter
// case never counts; accents count only when the filter text has some
// ("dvorak" finds "Dvořák", "Dvořák" does not find "Dvorak"). Each row's
// shown text is folded once and kept until a card or the shown columns
// change, so a keystroke only compares.
class OverviewSortFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit OverviewSortFilter(OverviewModel& model, QObject* parent = nullptr);

    void setFilterText(const QString& text);
    const QString& filterText() const { return filterText_; }
    // The columns the filter looks into; every column until this is called.
    void setHiddenColumns(const QSet<int>& columns);
    // The rows' texts folded without accents (overviewrows::foldedRowText)
    // for the cards the model is reset to next, leaving out the columns titled
    // hiddenTitles: the filter uses them while the hidden columns match.
    void takeFoldedTextsAtReset(std::vector<QString> texts, QSet<QString> hiddenTitles);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    void forgetRowTexts();
    void foldRowAgain(int sourceRow);
    void foldRowTexts() const;
    QString rowText(int sourceRow) const;

    OverviewModel& model_;
    QString filterText_;
    QString needle_;
    bool needleHasAccents_ = false;
    QSet<QString> hiddenTitles_;
    // Each row's shown cells, letter case folded, and accents too unless
    // the filter text has some.
    mutable std::vector<QString> rowTexts_;
    mutable bool rowTextsValid_ = false;
    mutable bool rowTextsWithAccents_ = false;
    mutable QSet<QString> rowTextsWithout_;
    std::vector<QString> incomingTexts_;
    QSet<QString> incomingWithout_;
    bool textsIncoming_ = false;
};
