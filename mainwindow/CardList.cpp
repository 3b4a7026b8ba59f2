#include "mainwindow/CardList.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <algorithm>
#include <dirent.h>

namespace {

// Sort key: letters without accents and without case first, so that "Čáp"
// comes beside "Cap" rather than after "Z"; the name itself breaks ties, which
// keeps the numbering stable.
QString SortKey(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar ch : decomposed) {
        if (ch.category() != QChar::Mark_NonSpacing)
            key.append(ch);
    }
    return key.toCaseFolded();
}

// Lists the plain, visible files of directory whose names match pattern. A
// direct directory read: QDir would stat every file, which counts with
// thousands of cards.
QStringList MatchingFiles(const QString& directory, const QRegularExpression& pattern) {
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!pattern.match(name).hasMatch())
            continue;
        bool file = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
            file = QFileInfo(directory + name).isFile();
        if (file)
            names.append(name);
    }
    closedir(dir);
    return names;
}

} // namespace

CardList::CardList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!settingSelection_)
            emit listChanged();
    });
}

void CardList::SetDirectory(const QString& directory, const QString& mask) {
    directory_ = directory;
    mask_ = mask;
    Update();
}

void CardList::Update() {
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(mask_),
                                     QRegularExpression::CaseInsensitiveOption);
    const QStringList names = MatchingFiles(directory_, pattern);

    QList<QPair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (const QString& name : names)
        keyed.append({SortKey(name), name});
    std::sort(keyed.begin(), keyed.end());
    names_.clear();
    names_.reserve(keyed.size());
    for (const auto& entry : keyed)
        names_.append(entry.second);

    settingSelection_ = true;
    setUpdatesEnabled(false);
    clear();
    addItems(names_);
    setCurrentRow(-1);
    clearSelection();
    setUpdatesEnabled(true);
    settingSelection_ = false;
    emit listChanged();
}

int CardList::ItemIndex() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void CardList::SetItemIndex(int index) {
    settingSelection_ = true;
    if (index >= 0 && index < count()) {
        setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        scrollToItem(item(index));
    } else {
        setCurrentRow(-1);
        clearSelection();
    }
    settingSelection_ = false;
}

QString CardList::FileName() const {
    const int index = ItemIndex();
    return index < 0 ? QString() : directory_ + names_.at(index);
}

int CardList::IndexOf(const QString& name) const {
    // Linux lets Karta.krt and karta.KRT stand side by side: the exact name
    // picks its own entry, never its namesake.
    if (const qsizetype exact = names_.indexOf(name); exact >= 0)
        return int(exact);
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void CardList::keyPressEvent(QKeyEvent* event) {
    pressedKey_ = event->key();
    QListWidget::keyPressEvent(event);
}

void CardList::keyReleaseEvent(QKeyEvent* event) {
    QListWidget::keyReleaseEvent(event);
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
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        emit doubleClicked();
}
