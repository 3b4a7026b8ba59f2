#include "mainwindow/CardList.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStringListModel>
#include <algorithm>
#include <array>
#include <dirent.h>
#include <functional>

namespace {

// Sort key: letters without accents and without case first, so that "Čáp"
// comes beside "Cap" rather than after "Z"; the name itself breaks ties, which
// keeps the numbering stable.
QString FullSortKey(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar ch : decomposed) {
        if (ch.category() != QChar::Mark_NonSpacing)
            key.append(ch);
    }
    return key.toCaseFolded();
}

// Below U+0250 (ASCII and the Latin letters with their accents) no character
// combines with its neighbours, so the key of such a name is the keys of its
// characters in a row: looked up, not normalized, for each of many thousand
// names.
constexpr char16_t TabledEnd = 0x250;

const std::array<QString, TabledEnd>& CharacterKeys() {
    static const std::array<QString, TabledEnd> keys = [] {
        std::array<QString, TabledEnd> table;
        for (char16_t code = 0; code < TabledEnd; ++code)
            table[code] = FullSortKey(QString(QChar(code)));
        return table;
    }();
    return keys;
}

QString SortKey(const QString& name) {
    const std::array<QString, TabledEnd>& keys = CharacterKeys();
    QString key;
    key.reserve(name.size());
    for (const QChar ch : name) {
        if (ch.unicode() >= TabledEnd)
            return FullSortKey(name);
        key += keys[ch.unicode()];
    }
    return key;
}

// The file mask as a test on names, letter case ignored. A mask "*.ext" is a
// plain suffix test: a pattern match for each of many thousand names costs.
std::function<bool(const QString&)> MaskTest(const QString& mask) {
    const QString suffix = mask.mid(1);
    const bool plainSuffix = mask.startsWith(u'*') && !suffix.contains(u'*') &&
                             !suffix.contains(u'?') && !suffix.contains(u'[');
    if (plainSuffix)
        return [suffix](const QString& name) { return name.endsWith(suffix, Qt::CaseInsensitive); };
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(mask),
                                     QRegularExpression::CaseInsensitiveOption);
    return [pattern](const QString& name) { return pattern.match(name).hasMatch(); };
}

// Lists the plain, visible files of directory whose names match pattern. A
// direct directory read: QDir would stat every file, which counts with
// thousands of cards.
QStringList MatchingFiles(const QString& directory,
                          const std::function<bool(const QString&)>& matches) {
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!matches(name))
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

CardList::CardList(QWidget* parent) : QListView(parent), model_(new QStringListModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
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
    const QStringList names = MatchingFiles(directory_, MaskTest(mask_));

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
    model_->setStringList(names_);
    setCurrentIndex(QModelIndex());
    clearSelection();
    settingSelection_ = false;
    emit listChanged();
}

int CardList::ItemIndex() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void CardList::SetItemIndex(int index) {
    settingSelection_ = true;
    if (index >= 0 && index < Count()) {
        const QModelIndex entry = model_->index(index);
        selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
        scrollTo(entry);
    } else {
        setCurrentIndex(QModelIndex());
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
