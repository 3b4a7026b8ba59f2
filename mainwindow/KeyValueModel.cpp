#include "mainwindow/KeyValueModel.h"

namespace {

struct Row {
    QString key;
    QString value;
    bool hasEquals = false;
};

Row parseLine(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {line, QString(), false};
    return {line.left(equals), line.mid(equals + 1), true};
}

QString composeLine(const Row& row) {
    return row.hasEquals ? row.key + u'=' + row.value : row.key;
}

} // namespace

KeyValueModel::KeyValueModel(QObject* parent) : QAbstractTableModel(parent) {}

void KeyValueModel::setLines(const QStringList& lines) {
    emit linesChanging();
    beginResetModel();
    lines_ = lines;
    endResetModel();
    emit linesChanged();
}

void KeyValueModel::insertLine(int index, const QString& line) {
    index = qBound(0, index, int(lines_.size()));
    emit linesChanging();
    if (lines_.isEmpty()) {
        // The blank row of an empty table becomes the new line.
        lines_.insert(index, line);
        emit dataChanged(this->index(0, 0), this->index(0, 1));
    } else {
        beginInsertRows(QModelIndex(), index, index);
        lines_.insert(index, line);
        endInsertRows();
    }
    emit linesChanged();
}

void KeyValueModel::deleteLine(int index) {
    if (index < 0 || index >= lines_.size())
        return;
    emit linesChanging();
    if (lines_.size() == 1) {
        lines_.clear();
        emit dataChanged(this->index(0, 0), this->index(0, 1));
    } else {
        beginRemoveRows(QModelIndex(), index, index);
        lines_.removeAt(index);
        endRemoveRows();
    }
    emit linesChanged();
}

void KeyValueModel::setTitleCaptions(const QStringList& titles) {
    titles_ = titles;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int KeyValueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : qMax(1, int(lines_.size()));
}

int KeyValueModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant KeyValueModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (!index.isValid() || index.row() >= lines_.size())
        return QString();
    const Row row = parseLine(lines_.at(index.row()));
    return index.column() == 0 ? row.key : row.value;
}

bool KeyValueModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const QString text = value.toString();
    const bool blankRow = index.row() >= lines_.size();
    Row row = blankRow ? Row{QString(), QString(), true} : parseLine(lines_.at(index.row()));
    if (index.column() == 0) {
        if (text.contains(u'=')) {
            emit keyRefused(text);
            return false;
        }
        row.key = text;
    } else {
        row.value = text;
        row.hasEquals = row.hasEquals || !text.isEmpty();
    }
    const QString line = composeLine(row);
    if (blankRow) {
        if (text.isEmpty())
            return true;
        insertLine(0, line);
    } else if (line != lines_.at(index.row())) {
        replaceLine(index.row(), line);
    }
    return true;
}

void KeyValueModel::replaceLine(int index, const QString& line) {
    emit linesChanging();
    lines_[index] = line;
    emit dataChanged(this->index(index, 0), this->index(index, 1));
    emit linesChanged();
}

Qt::ItemFlags KeyValueModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant KeyValueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return titles_.value(section);
    return QString::number(section + 1);
}
