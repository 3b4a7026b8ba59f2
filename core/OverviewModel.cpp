#include "core/OverviewModel.h"

#include "core/OverviewRows.h"
#include "storage/CardFileNames.h"

#include <QCollator>

namespace {

const QString ValueSeparator = QStringLiteral("; ");

// A table row split at its first "=": a row without "=" is a key alone.
QPair<QString, QString> splitRow(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {line, QString()};
    return {line.left(equals), line.mid(equals + 1)};
}

} // namespace

OverviewCard OverviewCard::fromTable(const QString& fileName, const QStringList& tableLines) {
    OverviewCard card;
    card.fileName = fileName;
    QHash<QString, qsizetype> cellOfKey;
    for (const QString& line : tableLines) {
        const auto [key, value] = splitRow(line);
        if (key.isEmpty())
            continue; // a row without a key has no column to go to
        const auto found = cellOfKey.constFind(key);
        if (found == cellOfKey.cend()) {
            cellOfKey.insert(key, card.cells.size());
            card.cells.append({key, value});
            continue;
        }
        QString& joined = card.cells[*found].second;
        if (value.isEmpty())
            continue;
        if (!joined.isEmpty())
            joined += ValueSeparator;
        joined += value;
    }
    return card;
}

QString OverviewCard::value(const QString& key) const {
    for (const auto& [cellKey, cellValue] : cells) {
        if (cellKey == key)
            return cellValue;
    }
    return QString();
}

OverviewModel::OverviewModel(QObject* parent) : QAbstractTableModel(parent) {}

void OverviewModel::setCards(QList<OverviewCard> cards) {
    beginResetModel();
    overviewrows::freeElsewhere(std::exchange(cards_, std::move(cards)));
    keys_ = overviewrows::keysByUse(cards_);
    rebuildRowIndex();
    forgetRanks();
    endResetModel();
}

void OverviewModel::setPreparedCards(QList<OverviewCard> cards, OverviewPrepared prepared) {
    if (!prepared.ready || prepared.rowByFile.size() != cards.size()) {
        setCards(std::move(cards));
        return;
    }
    beginResetModel();
    overviewrows::freeElsewhere(std::exchange(cards_, std::move(cards)));
    keys_ = std::move(prepared.keys);
    overviewrows::freeElsewhere(std::exchange(rowByFile_, std::move(prepared.rowByFile)));
    forgetRanks();
    const int ranked = prepared.rankedTitle.isEmpty() ? -1 : columnOf(prepared.rankedTitle);
    if (ranked >= 0 && prepared.ranks.size() == size_t(cards_.size()))
        ranks_.insert(ranked, std::move(prepared.ranks));
    endResetModel();
}

void OverviewModel::updateCard(const OverviewCard& card) {
    addNewKeys(card);
    forgetRanks();
    const int row = rowOf(card.fileName);
    if (row < 0) {
        beginInsertRows({}, int(cards_.size()), int(cards_.size()));
        cards_.append(card);
        rowByFile_.insert(card.fileName, int(cards_.size()) - 1);
        endInsertRows();
        return;
    }
    cards_[row] = card;
    emit cardReplaced(row);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QStringList OverviewModel::followCardList(const QStringList& fileNames) {
    const QSet<QString> listed(fileNames.cbegin(), fileNames.cend());
    QStringList added;
    for (const QString& fileName : fileNames) {
        if (!rowByFile_.contains(fileName))
            added.append(fileName);
    }
    int removed = 0;
    for (const OverviewCard& card : std::as_const(cards_))
        removed += listed.contains(card.fileName) ? 0 : 1;
    if (added.size() + removed > MostRowChanges)
        followInOneReset(fileNames);
    else
        followRowByRow(fileNames, listed);
    return added;
}

void OverviewModel::followInOneReset(const QStringList& fileNames) {
    beginResetModel();
    QList<OverviewCard> cards;
    cards.reserve(fileNames.size());
    for (const QString& fileName : fileNames) {
        const int row = rowOf(fileName);
        if (row >= 0) {
            cards.append(std::move(cards_[row]));
        } else {
            cards.append(OverviewCard());
            cards.last().fileName = fileName;
        }
    }
    cards_ = std::move(cards);
    rebuildRowIndex();
    forgetRanks();
    endResetModel();
}

void OverviewModel::followRowByRow(const QStringList& fileNames, const QSet<QString>& listed) {
    for (int row = int(cards_.size()) - 1; row >= 0; --row) {
        if (listed.contains(cards_[row].fileName))
            continue;
        beginRemoveRows({}, row, row);
        cards_.removeAt(row);
        endRemoveRows();
    }
    rebuildRowIndex();
    // A new card file goes after the card listed before it.
    int previousRow = -1;
    for (const QString& fileName : fileNames) {
        const int row = rowOf(fileName);
        if (row >= 0) {
            previousRow = row;
            continue;
        }
        const int place = previousRow + 1;
        beginInsertRows({}, place, place);
        OverviewCard card;
        card.fileName = fileName;
        cards_.insert(place, card);
        rebuildRowIndex();
        endInsertRows();
        previousRow = place;
    }
    rebuildRowIndex();
    forgetRanks();
}

QStringList OverviewModel::fileNames() const {
    QStringList names;
    names.reserve(cards_.size());
    for (const OverviewCard& card : cards_)
        names.append(card.fileName);
    return names;
}

int OverviewModel::rowOf(const QString& fileName) const {
    return rowByFile_.value(fileName, -1);
}

QString OverviewModel::cellText(int row, int column) const {
    const OverviewCard& shown = cards_[row];
    if (column == NameColumn)
        return cardfile::cardNameOf(shown.fileName);
    return shown.value(keys_[column - 1]);
}

int OverviewModel::columnOf(const QString& title) const {
    if (title == headerData(NameColumn, Qt::Horizontal).toString())
        return NameColumn;
    const qsizetype key = keys_.indexOf(title);
    return key < 0 ? -1 : int(key) + 1;
}

const std::vector<int>& OverviewModel::sortRanks(int column) const {
    const auto kept = ranks_.constFind(column);
    if (kept != ranks_.cend())
        return *kept;
    const QCollator collator = overviewrows::czechCollator();
    std::vector<std::optional<QCollatorSortKey>> sortKeys(cards_.size());
    for (int row = 0; row < cards_.size(); ++row) {
        const QString text = cellText(row, column);
        if (!text.isEmpty())
            sortKeys[row] = collator.sortKey(text);
    }
    return *ranks_.insert(column, overviewrows::ranksOf(sortKeys));
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(cards_.size());
}

int OverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(keys_.size()) + 1;
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return cellText(index.row(), index.column());
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == NameColumn)
        return overviewrows::NameTitle;
    return keys_.value(section - 1);
}

void OverviewModel::addNewKeys(const OverviewCard& card) {
    QStringList fresh;
    for (const auto& cell : card.cells) {
        if (!keys_.contains(cell.first) && !fresh.contains(cell.first))
            fresh.append(cell.first);
    }
    if (fresh.isEmpty())
        return;
    const int first = columnCount();
    beginInsertColumns({}, first, first + int(fresh.size()) - 1);
    keys_ += fresh;
    endInsertColumns();
}

void OverviewModel::rebuildRowIndex() {
    overviewrows::freeElsewhere(std::exchange(rowByFile_, overviewrows::rowIndex(cards_)));
}

void OverviewModel::forgetRanks() {
    ranks_.clear();
}
