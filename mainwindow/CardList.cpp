#include "mainwindow/CardList.h"

#include "core/CardFolderModel.h"

#include <QKeyEvent>
#include <QMouseEvent>

CardList::CardList(QWidget* parent) : QListView(parent), model_(new CardFolderModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!settingSelection_)
            emit listChanged();
    });
    keepSelectionThroughReset();
    connect(model_, &CardFolderModel::cardsChanged, this, [this] { emit listChanged(); });
}

// Rows that come and go keep the selection on its card by themselves; a burst
// applied as one reset puts it back by name. The program's own re-read clears it.
void CardList::keepSelectionThroughReset() {
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const int index = itemIndex();
        selectedBeforeReset_ = index < 0 ? QString() : model_->names().at(index);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        settingSelection_ = true;
        setCurrentIndex(QModelIndex());
        clearSelection();
        settingSelection_ = false;
        if (model_->lastResetKeepsSelection() && !selectedBeforeReset_.isEmpty())
            setItemIndex(int(model_->names().indexOf(selectedBeforeReset_)));
    });
}

void CardList::setDirectory(const QString& directory, const QString& mask) {
    model_->setDirectory(directory, mask);
}

QString CardList::directory() const {
    return model_->directory();
}

void CardList::reread() {
    model_->reread();
}

QStringList CardList::items() const {
    return model_->names();
}

int CardList::count() const {
    return int(model_->names().size());
}

int CardList::itemIndex() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void CardList::setItemIndex(int index) {
    settingSelection_ = true;
    if (index >= 0 && index < count()) {
        const QModelIndex entry = model_->index(index);
        selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
        scrollTo(entry);
    } else {
        setCurrentIndex(QModelIndex());
        clearSelection();
    }
    settingSelection_ = false;
}

QString CardList::fileName() const {
    const int index = itemIndex();
    return index < 0 ? QString() : model_->directory() + model_->names().at(index);
}

int CardList::indexOf(const QString& name) const {
    return model_->indexOf(name);
}

void CardList::keyPressEvent(QKeyEvent* event) {
    pressedKey_ = event->key();
    QListView::keyPressEvent(event);
}

void CardList::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    // Only a key pressed here counts: the Enter that closes a message box shown
    // by the list's own open is released over the list and would open again.
    const bool pressedHere = event->key() == pressedKey_;
    pressedKey_ = 0;
    if (pressedHere)
        emit keyReleased(event->key());
}

void CardList::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit doubleClicked();
}
