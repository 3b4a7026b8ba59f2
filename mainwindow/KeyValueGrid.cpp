#include "mainwindow/KeyValueGrid.h"

#include "mainwindow/KeyValueModel.h"
#include "storage/AppError.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Cell editor of the grid: writes every keystroke straight into the lines (so a
// save never misses the cell being typed in), reports typed keys and lets TAB
// leave the grid while the TAB option is off.
class KeyValueDelegate : public QStyledItemDelegate {
public:
    explicit KeyValueDelegate(KeyValueGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        connect(editor, &QLineEdit::textEdited, this,
                [this, editor] { emit const_cast<KeyValueDelegate*>(this)->commitData(editor); });
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* line = static_cast<QLineEdit*>(editor);
        if (!model->setData(index, line->text()))
            line->setText(index.data(Qt::EditRole).toString());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            grid_->reportTypedKey(key->text());
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && !grid_->tabKeyOption()) {
                auto* editor = static_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, NoHint);
                grid_->focusNeighbour(key->key() == Qt::Key_Tab &&
                                      !(key->modifiers() & Qt::ShiftModifier));
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    KeyValueGrid* grid_;
};

constexpr int DefaultColumnWidth = 173;

} // namespace

KeyValueGrid::KeyValueGrid(QWidget* parent) : QTableView(parent), model_(new KeyValueModel(this)) {
    setModel(model_);
    setItemDelegate(new KeyValueDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The title row is button-coloured also right of the last column, whatever
    // colour the window behind the table has.
    QPalette titles = horizontalHeader()->palette();
    titles.setColor(QPalette::Window, titles.color(QPalette::Button));
    horizontalHeader()->setPalette(titles);
    horizontalHeader()->setAutoFillBackground(true);

    connect(model_, &KeyValueModel::linesChanging, this, &KeyValueGrid::stringsChanging);
    connect(model_, &KeyValueModel::linesChanged, this, &KeyValueGrid::stringsChanged);
    connect(model_, &KeyValueModel::keyRefused, this,
            [this] { emit errorRaised(QStringLiteral("Klíč nesmí obsahovat znak \"=\".")); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &KeyValueGrid::topLeftChanged);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &KeyValueGrid::topLeftChanged);
}

QStringList KeyValueGrid::strings() const {
    return model_->lines();
}

void KeyValueGrid::setStrings(const QStringList& lines) {
    model_->setLines(lines);
    // Back to the top-left cell now, so that no scroll notification arrives
    // later from the old scroll position.
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    setCurrentIndex(model_->index(0, 0));
}

int KeyValueGrid::lineCount() const {
    return int(model_->lines().size());
}

void KeyValueGrid::insertLine(int index, const QString& line) {
    model_->insertLine(index, line);
}

void KeyValueGrid::deleteLine(int index) {
    model_->deleteLine(index);
}

int KeyValueGrid::row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void KeyValueGrid::setRow(int row) {
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(model_->index(row - 1, column));
}

void KeyValueGrid::setCell(int row, int column) {
    setCurrentIndex(model_->index(row - 1, column));
}

QStringList KeyValueGrid::TitleCaptions() const {
    return model_->TitleCaptions();
}

void KeyValueGrid::setTitleCaptions(const QStringList& titles) {
    model_->setTitleCaptions(titles);
    horizontalHeader()->viewport()->update();
}

int KeyValueGrid::colWidth(int column) const {
    if (column < 0 || column >= colCount())
        throw AppError(QStringLiteral("Grid index out of range"));
    return columnWidth(column);
}

void KeyValueGrid::setColWidth(int column, int width) {
    if (column < 0 || column >= colCount())
        throw AppError(QStringLiteral("Grid index out of range"));
    setColumnWidth(column, qMax(0, width));
}

void KeyValueGrid::focusNeighbour(bool forward) {
    QWidget* candidate = this;
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        const bool inside = candidate == this || isAncestorOf(candidate);
        if (!inside && candidate->isVisible() && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (candidate != this);
}

void KeyValueGrid::reportTypedKey(const QString& text) {
    if (!text.isEmpty())
        emit keyTyped(text.at(0));
}

void KeyValueGrid::keyPressEvent(QKeyEvent* event) {
    // Keys typed into the cell editor were reported by the editor already and
    // only pass through here when the editor leaves them unhandled.
    if (QApplication::focusWidget() == this)
        reportTypedKey(event->text());
    QTableView::keyPressEvent(event);
}
