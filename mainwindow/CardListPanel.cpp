#include "mainwindow/CardListPanel.h"

#include "core/CardFolderModel.h"
#include "mainwindow/CardList.h"
#include "mainwindow/CommandRegistry.h"

#include <QToolButton>

namespace {

constexpr int kNavigationButtonHeight = 23;

} // namespace

CardListPanel::CardListPanel(QWidget* parent)
    : QWidget(parent), List_(new CardList(this)), SpeedButton8_(new QToolButton(this)),
      SpeedButton9_(new QToolButton(this)) {
    setObjectName(QStringLiteral("Panel9"));
    setMinimumWidth(100);
    List_->setObjectName(QStringLiteral("List"));
    SpeedButton8_->setObjectName(QStringLiteral("SpeedButton8"));
    SpeedButton8_->setText(QStringLiteral("<<"));
    SpeedButton8_->setToolTip(QStringLiteral("Předchozí (Page up)"));
    SpeedButton9_->setObjectName(QStringLiteral("SpeedButton9"));
    SpeedButton9_->setText(QStringLiteral(">>"));
    SpeedButton9_->setToolTip(QStringLiteral("Další (Page down)"));
    for (QToolButton* button : {SpeedButton8_, SpeedButton9_}) {
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->resize(100, kNavigationButtonHeight);
    }
    List_->setAccessibleName(QStringLiteral("Seznam karet"));
    SpeedButton8_->setAccessibleName(QStringLiteral("Předchozí karta"));
    SpeedButton9_->setAccessibleName(QStringLiteral("Další karta"));
    connect(List_, &CardList::doubleClicked, this, &CardListPanel::openRequested);
    connect(List_, &CardList::keyReleased, this, &CardListPanel::keyReleased);
    connect(List_, &CardList::listChanged, this, &CardListPanel::listChanged);
}

void CardListPanel::Panel9CanResize(int newWidth, int newHeight) {
    List_->setGeometry(1, 0, newWidth - 2, newHeight - SpeedButton9_->height() - 2);
    SpeedButton8_->setGeometry(0, newHeight - SpeedButton8_->height(), newWidth / 2 - 2,
                               SpeedButton8_->height());
    SpeedButton9_->setGeometry(newWidth / 2 + 1, SpeedButton8_->y(), newWidth / 2 - 2,
                               SpeedButton9_->height());
}

void CardListPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Panel9CanResize(width(), height());
}

void CardListPanel::forwardTo(CommandRegistry& commands) {
    commands.forward(SpeedButton8_, Command::Previous);
    commands.forward(SpeedButton9_, Command::Next);
}

void CardListPanel::setDirectory(const QString& directory) {
    List_->setDirectory(directory, QStringLiteral("*.krt"));
}

CardFolderModel& CardListPanel::cards() const {
    return List_->cards();
}

int CardListPanel::count() const {
    return List_->count();
}

int CardListPanel::row() const {
    return List_->itemIndex();
}

void CardListPanel::selectRow(int row) {
    List_->setItemIndex(row);
}

int CardListPanel::indexOf(const QString& fileName) const {
    return List_->indexOf(fileName);
}

int CardListPanel::listRight() const {
    return List_->x() + List_->width();
}

void CardListPanel::showCardCount() {
    List_->setToolTip(QStringLiteral("Celkem ") + QString::number(List_->count()) +
                      QStringLiteral(" záznamů."));
}

void CardListPanel::applyFont(const QFont& font, const QColor& textColor) {
    List_->setFont(font);
    QPalette palette = List_->palette();
    palette.setColor(QPalette::Text, textColor);
    List_->setPalette(palette);
}

QStringList CardListPanel::entries() const {
    return List_->items();
}

void CardListPanel::selectEntry(const QString& fileName) {
    List_->setItemIndex(List_->indexOf(fileName));
}

QString CardListPanel::selectedPath() const {
    return List_->fileName();
}

void CardListPanel::reread() {
    List_->reread();
}

QStringList CardListPanel::conflictCopiesOf(const QString& fileName) const {
    return List_->cards().conflictCopiesOf(fileName);
}

void CardListPanel::watchCardFile(const QString& path) {
    List_->cards().watchFile(path);
}
