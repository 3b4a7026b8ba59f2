#include "mainwindow/EditorPanel.h"

#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/Resources.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFrame>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int kBottomPanelHeight = 240;

// The picture box draws its picture itself; without this a screen reader sees
// a nameless pane, or nothing.
QAccessibleInterface* pictureAccessibility(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}
constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;

} // namespace

namespace editorlayout {

QSplitter* createSplitter(const char* name, Qt::Orientation orientation, QWidget* first,
                          QWidget* second, int stretchingPane, bool secondCollapsible) {
    auto* splitter = new QSplitter(orientation);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->addWidget(first);
    splitter->addWidget(second);
    splitter->setStretchFactor(0, stretchingPane == 0 ? 1 : 0);
    splitter->setStretchFactor(1, stretchingPane == 1 ? 1 : 0);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, secondCollapsible);
    splitter->setHandleWidth(3);
    return splitter;
}

void fillWith(QWidget* container, QWidget* content) {
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

} // namespace editorlayout

EditorPanel::EditorPanel(QSize area, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel7"));
    createTable();
    createPictureArea();

    Splitter2_ =
        editorlayout::createSplitter("Splitter2", Qt::Horizontal, Memo1_, Panel10_, 0, false);
    Splitter2_->setSizes({area.width() - kPictureWidth, kPictureWidth});

    auto* Panel8 = new QWidget;
    Panel8->setObjectName(QStringLiteral("Panel8"));
    Panel8->setMinimumHeight(10);
    editorlayout::fillWith(Panel8, Splitter2_);

    // The bottom panel snaps shut.
    Splitter1_ = editorlayout::createSplitter("Splitter1", Qt::Vertical, ListB_, Panel8, 0, true);
    Splitter1_->setSizes({area.height() - kBottomPanelHeight - 3, kBottomPanelHeight});
    editorlayout::fillWith(this, Splitter1_);

    for (QSplitter* splitter : {Splitter1_, Splitter2_})
        connect(splitter, &QSplitter::splitterMoved, this, &EditorPanel::splitterMoved);
    connectChanges();
}

void EditorPanel::createTable() {
    ListB_ = new KeyValueGrid;
    ListB_->setObjectName(QStringLiteral("ListB"));
    ListB_->setTitleCaptions({QStringLiteral("Předmět"), QStringLiteral("Hodnota")});
    ListB_->setColWidth(0, 167);
    ListB_->setColWidth(1, 387);
    ListB_->setContextMenuPolicy(Qt::CustomContextMenu);
    ListB_->setTabKeyOption(false);
    ListB_->setAccessibleName(QStringLiteral("Tabulka karty"));
}

void EditorPanel::createPictureArea() {
    Memo1_ = new NotesEdit;
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setMinimumWidth(10);
    Memo1_->setAccessibleName(QStringLiteral("Poznámky"));
    // The notes take no Tab characters: Tab goes on to the next control.
    Memo1_->setTabChangesFocus(true);

    Panel10_ = new QWidget;
    Panel10_->setObjectName(QStringLiteral("Panel10"));
    Panel10_->setMinimumWidth(10);
    Panel10_->installEventFilter(this);
    Shape1_ = new QFrame(Panel10_);
    Shape1_->setObjectName(QStringLiteral("Shape1"));
    Shape1_->setFrameShape(QFrame::NoFrame);
    Shape1_->setAutoFillBackground(true);
    QPalette white = Shape1_->palette();
    white.setColor(QPalette::Window, Qt::white);
    Shape1_->setPalette(white);
    Image1_ = new PictureBox(Panel10_);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setGeometry(0, 0, kPictureWidth, kPictureHeight);
    Image1_->setToolTip(QStringLiteral("Klikněte pro vybrání obrázku. (Nejlépe 4:3)"));
    Image1_->setContextMenuPolicy(Qt::CustomContextMenu);
    static const bool pictureFactoryInstalled = [] {
        QAccessible::installFactory(pictureAccessibility);
        return true;
    }();
    Q_UNUSED(pictureFactoryInstalled);
    Image1_->setAccessibleName(QStringLiteral("Obrázek karty"));
    showNoPicture();
}

void EditorPanel::connectChanges() {
    connect(Memo1_, &QPlainTextEdit::textChanged, this, &EditorPanel::edited);
    connect(ListB_, &KeyValueGrid::stringsChanging, this, &EditorPanel::edited);
    connect(ListB_, &KeyValueGrid::stringsChanged, this, &EditorPanel::edited);
    connect(ListB_, &KeyValueGrid::topLeftChanged, this, &EditorPanel::edited);
    connect(ListB_, &KeyValueGrid::keyTyped, this, [this](QChar key) {
        emit edited();
        emit keyTyped(key);
    });
    connect(ListB_, &KeyValueGrid::errorRaised, this, &EditorPanel::errorRaised);
    connect(ListB_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        emit tableMenuRequested(ListB_->viewport()->mapToGlobal(point));
    });
    connect(Image1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        emit pictureMenuRequested(Image1_->mapToGlobal(point));
    });
    connect(Image1_, &PictureBox::clicked, this, &EditorPanel::pictureClicked);
}

bool EditorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel10_ && event->type() == QEvent::Resize)
        Shape1_->setGeometry(Panel10_->rect());
    return QWidget::eventFilter(watched, event);
}

QStringList EditorPanel::tableLines() const {
    return ListB_->strings();
}

void EditorPanel::setTableLines(const QStringList& lines) {
    ListB_->setStrings(lines);
}

void EditorPanel::clearTable() {
    ListB_->clear();
}

void EditorPanel::showTable() {
    ListB_->setVisible(true);
}

QString EditorPanel::notesText() const {
    return Memo1_->text();
}

void EditorPanel::setNotesText(const QString& text) {
    Memo1_->setText(text);
}

void EditorPanel::clearNotes() {
    Memo1_->clear();
}

void EditorPanel::showPicture(const QString& path) {
    // A picture member that is not a readable bitmap stays in the working
    // directory (and in the card file), only NSELECT shows for it.
    if (path.isEmpty() || !Image1_->loadBitmapFile(path))
        showNoPicture();
    else
        Image1_->setAccessibleDescription(QStringLiteral("Karta má obrázek."));
}

void EditorPanel::showCardTitle(const QString& /*cardPath*/, const QString& cardName) {
    emit cardTitleDue(cardName);
}

void EditorPanel::updateWindowState() {
    emit windowStateDue();
}

void EditorPanel::addLine() {
    if (ListB_->lineCount() == 0)
        return;
    const int row = ListB_->row();
    // Line index `row` lies right below grid row `row`.
    ListB_->insertLine(row, QStringLiteral("="));
    // In the new row's key cell, so that what is typed next is its key.
    ListB_->setCell(row + 1, 0);
}

void EditorPanel::deleteLine() {
    const int row = ListB_->row();
    if (ListB_->lineCount() == 1 || row == 1)
        return;
    ListB_->deleteLine(row - 1);
}

QStringList EditorPanel::titleCaptions() const {
    return ListB_->TitleCaptions();
}

void EditorPanel::setTitleCaptions(const QStringList& titles) {
    ListB_->setTitleCaptions(titles);
}

void EditorPanel::setTabKeyOption(bool on) {
    ListB_->setTabKeyOption(on);
}

QList<int> EditorPanel::columnWidths() const {
    QList<int> widths;
    for (int column = 0; column < ListB_->colCount(); ++column)
        widths << ListB_->colWidth(column);
    return widths;
}

void EditorPanel::setColumnWidth(int column, int width) {
    ListB_->setColWidth(column, width);
}

QFont EditorPanel::notesFont() const {
    return Memo1_->font();
}

QImage EditorPanel::picture() const {
    return Image1_->picture();
}

void EditorPanel::showNoPicture() {
    Image1_->setPicture(resources::nselectBitmap());
    Image1_->setAccessibleDescription(QStringLiteral("Karta nemá obrázek."));
}

void EditorPanel::setCardOpen(bool open) {
    for (QWidget* editor : std::initializer_list<QWidget*>{Image1_, this, ListB_, Memo1_})
        editor->setVisible(open);
}

void EditorPanel::applyFont(const QFont& font, const QColor& textColor) {
    for (QWidget* control : std::initializer_list<QWidget*>{ListB_, Memo1_}) {
        control->setFont(font);
        QPalette palette = control->palette();
        palette.setColor(QPalette::Text, textColor);
        control->setPalette(palette);
    }
}

void EditorPanel::fitPicture() {
    const int w = Panel10_->contentsRect().width();
    const int h = Panel10_->contentsRect().height();
    if (3 * w > 4 * h) {
        const int width = 4 * h / 3;
        Image1_->setGeometry(Panel10_->width() / 2 - width / 2, 0, width, h);
    } else {
        const int height = 3 * w / 4;
        Image1_->setGeometry(0, Panel10_->height() / 2 - height / 2, w, height);
    }
}
