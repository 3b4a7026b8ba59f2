#include "core/CardFolderModel.h"

#include <QPainter>

CardFolderModel::CardFolderModel(QObject* parent) : QAbstractListModel(parent) {
    qRegisterMetaType<CardFolderChange>();
    // One listing at a time, on a thread of its own: the search's threads
    // may all be busy.
    worker_.setMaxThreadCount(1);
    connect(&watch_, &CardFolderWatch::changed, this, [this] { listInBackground(); });
}

CardFolderModel::~CardFolderModel() {
    worker_.waitForDone();
}

void CardFolderModel::setDirectory(const QString& directory, const QString& mask) {
    directory_ = directory;
    mask_ = mask;
    watch_.watchFolder(directory);
    reread();
}

void CardFolderModel::reread() {
    resetTo(cardfolder::read(directory_, mask_), false);
    CardFolderChange change;
    change.reread = true;
    emit cardsChanged(change);
}

int CardFolderModel::indexOf(const QString& name) const {
    // Linux lets Karta.krt and karta.KRT stand side by side: the exact name
    // picks its own entry, never its namesake.
    if (const qsizetype exact = listing_.names.indexOf(name); exact >= 0)
        return int(exact);
    for (qsizetype i = 0; i < listing_.names.size(); ++i) {
        if (listing_.names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QStringList CardFolderModel::conflictCopiesOf(const QString& name) const {
    return listing_.conflictCopies.value(name);
}

int CardFolderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(listing_.names.size());
}

QVariant CardFolderModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= listing_.names.size())
        return {};
    const QString& name = listing_.names.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return name;
    case ConflictCopiesRole:
        return conflictCopiesOf(name);
    default:
        break;
    }
    if (!listing_.conflictCopies.contains(name))
        return {};
    switch (role) {
    case Qt::DecorationRole:
        return conflictMark();
    case Qt::ToolTipRole:
        return QStringLiteral("Konflikt synchronizace: u karty čeká verze z jiného počítače "
                              "(%1). Otevřete kartu a zvolte Úpravy → Vyřešit konflikt…")
            .arg(conflictCopiesOf(name).join(QStringLiteral(", ")));
    case Qt::AccessibleTextRole:
        return name + QStringLiteral(", konflikt synchronizace");
    default:
        return {};
    }
}

void CardFolderModel::listInBackground() {
    if (listingRunning_) {
        relistAfter_ = true;
        return;
    }
    listingRunning_ = true;
    worker_.start(
        [this, directory = directory_, mask = mask_, before = listing_, generation = generation_] {
            CardFolderListing after = cardfolder::read(directory, mask);
            CardFolderDiff diff = cardfolder::diff(before, after);
            QMetaObject::invokeMethod(
                this,
                [this, after = std::move(after), diff = std::move(diff), generation] {
                    listingRunning_ = false;
                    applyListing(after, diff, generation);
                    if (std::exchange(relistAfter_, false))
                        listInBackground();
                },
                Qt::QueuedConnection);
        });
}

void CardFolderModel::applyListing(const CardFolderListing& listing, const CardFolderDiff& diff,
                                   quint64 generation) {
    if (generation != generation_) {
        // The list was read again meanwhile: this listing compares with a
        // list that is gone.
        relistAfter_ = true;
        return;
    }
    ++listingsApplied_;
    const CardFolderListing before = listing_;
    CardFolderChange change;
    for (const int row : diff.removedRows)
        change.removed.append(before.names.at(row));
    for (const int row : diff.insertedRows)
        change.added.append(listing.names.at(row));
    change.replaced = diff.replaced;
    change.conflictCopiesChanged = diff.conflictCopiesChanged;

    // Emitted for an empty change too: a card file written in place keeps its
    // name and its file, and only its followers can tell.
    if (diff.removedRows.size() + diff.insertedRows.size() > kMostRowChanges)
        resetTo(listing, true);
    else
        applyRows(listing, diff);
    markConflicts(before);
    emit cardsChanged(change);
}

void CardFolderModel::applyRows(const CardFolderListing& listing, const CardFolderDiff& diff) {
    // Removed from the end, so that the rows still to go keep their numbers.
    for (qsizetype k = diff.removedRows.size() - 1; k >= 0;) {
        const int last = diff.removedRows.at(k);
        int first = last;
        while (--k >= 0 && diff.removedRows.at(k) == first - 1)
            --first;
        beginRemoveRows({}, first, last);
        const qsizetype count = last - first + 1;
        listing_.names.remove(first, count);
        listing_.keys.remove(first, count);
        listing_.files.remove(first, count);
        endRemoveRows();
    }
    // Inserted from the start: every row before a new one is in place by then.
    for (qsizetype k = 0; k < diff.insertedRows.size();) {
        const int first = diff.insertedRows.at(k);
        int last = first;
        while (++k < diff.insertedRows.size() && diff.insertedRows.at(k) == last + 1)
            ++last;
        beginInsertRows({}, first, last);
        for (int row = first; row <= last; ++row) {
            listing_.names.insert(row, listing.names.at(row));
            listing_.keys.insert(row, listing.keys.at(row));
            listing_.files.insert(row, listing.files.at(row));
        }
        endInsertRows();
    }
    listing_ = listing;
    ++generation_;
}

void CardFolderModel::resetTo(const CardFolderListing& listing, bool keepsSelection) {
    resetKeepsSelection_ = keepsSelection;
    beginResetModel();
    listing_ = listing;
    ++generation_;
    endResetModel();
}

void CardFolderModel::markConflicts(const CardFolderListing& before) {
    if (before.conflictCopies == listing_.conflictCopies)
        return;
    QSet<QString> owners;
    for (auto it = before.conflictCopies.cbegin(); it != before.conflictCopies.cend(); ++it)
        owners.insert(it.key());
    for (auto it = listing_.conflictCopies.cbegin(); it != listing_.conflictCopies.cend(); ++it)
        owners.insert(it.key());
    for (const QString& owner : owners) {
        if (before.conflictCopies.value(owner) == listing_.conflictCopies.value(owner))
            continue;
        if (const qsizetype row = listing_.names.indexOf(owner); row >= 0)
            emit dataChanged(index(int(row)), index(int(row)));
    }
}

const QImage& CardFolderModel::conflictMark() const {
    // A small orange sign with an exclamation mark, drawn once.
    if (conflictMark_.isNull()) {
        QImage mark(16, 16, QImage::Format_ARGB32_Premultiplied);
        mark.fill(Qt::transparent);
        QPainter painter(&mark);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xE0, 0x7A, 0x10));
        painter.drawEllipse(QRectF(1, 1, 14, 14));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 3.5, 2, 6.5));
        painter.drawRect(QRectF(7, 11, 2, 2));
        painter.end();
        conflictMark_ = mark;
    }
    return conflictMark_;
}
