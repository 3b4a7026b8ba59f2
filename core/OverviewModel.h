#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

struct OverviewPrepared;

// One card of the overview: its card file and its table, each key once with
// the values of its rows joined by "; ", in the order the keys first appear.
struct OverviewCard {
    QString fileName; // "Name.krt"
    QList<QPair<QString, QString>> cells;
    bool readable = true;

    // The card of fileName with the rows of its table ("key=value").
    static OverviewCard fromTable(const QString& fileName, const QStringList& tableLines);
    // The value for key; empty when the card has no such key.
    QString value(const QString& key) const;
};

// All cards side by side: one row per card file, the first column "Karta"
// holding the card name, then one column per key of the cards' tables, the
// most used first (ties in the order the keys first appear). Columns keep
// their places while cards change; a key that appears anew gets a column at
// the end. Rows that a sort compares get ranks by Czech collation, worked
// out once per column and kept until a card changes.
class OverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int NameColumn = 0;
    // More rows coming and going at once than this are followed in one reset.
    static constexpr int MostRowChanges = 64;

    explicit OverviewModel(QObject* parent = nullptr);

    // Shows these cards, in this order; the columns are worked out afresh.
    void setCards(QList<OverviewCard> cards);
    // The same with the columns, the row index and the ranks of one column
    // worked out beforehand (OverviewReader); without them as setCards.
    void setPreparedCards(QList<OverviewCard> cards, OverviewPrepared prepared);
    // Puts the card in place of the row of its card file, or adds it at the
    // end when the file has no row.
    void updateCard(const OverviewCard& card);
    // Removes the rows of card files not among fileNames and adds rows with an
    // empty table for those not yet shown, at their places in fileNames.
    // Returns the file names added.
    QStringList followCardList(const QStringList& fileNames);

    const QStringList& keys() const { return keys_; }
    QStringList fileNames() const;
    // The row of the card file fileName; -1 when it has none.
    int rowOf(const QString& fileName) const;
    const OverviewCard& card(int row) const { return cards_[row]; }
    // The text of a cell as shown.
    QString cellText(int row, int column) const;
    // The column titled title; -1 when there is none.
    int columnOf(const QString& title) const;

    // The rank of each row's cell in column by Czech collation (numbers by
    // their value); equal cells share a rank, empty cells have rank -1.
    const std::vector<int>& sortRanks(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The card of row was replaced; dataChanged follows.
    void cardReplaced(int row);

private:
    void addNewKeys(const OverviewCard& card);
    void followInOneReset(const QStringList& fileNames);
    void followRowByRow(const QStringList& fileNames, const QSet<QString>& listed);
    void rebuildRowIndex();
    void forgetRanks();

    QList<OverviewCard> cards_;
    QStringList keys_;
    QHash<QString, int> rowByFile_;
    mutable QHash<int, std::vector<int>> ranks_;
};
