#include "mainwindow/TForm1.h"

#include "core/ReadableText.h"
#include "core/StoredColor.h"
#include "mainwindow/CardList.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "storage/AppState.h"
#include "widgets/LinkLabel.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QToolButton>

void TForm1::ApplyBackColor(qint32 storedColor) {
    state_.BackColor = storedColor;
    const QColor color = ColorFromStored(storedColor);
    const QPalette system = QGuiApplication::palette();
    for (QWidget* surface : {client_, Panel1, Panel2, Panel3}) {
        QPalette palette = surface->palette();
        palette.setColor(QPalette::Window, color);
        palette.setColor(QPalette::WindowText,
                         ReadableTextColor(color, system.color(QPalette::WindowText)));
        surface->setPalette(palette);
    }
    // The flat tool buttons on the coloured bands and beside the card list
    // draw their captions straight on the background.
    for (QWidget* surface : {Panel1, Panel2, Panel3, Panel9}) {
        QPalette palette = surface->palette();
        palette.setColor(QPalette::ButtonText,
                         ReadableTextColor(color, system.color(QPalette::ButtonText)));
        surface->setPalette(palette);
    }
    ApplyMainFont(mainFont_, mainFontColor_);
    emit backColorChanged(storedColor);
}

QColor TForm1::WelcomeTextColor(qint32 storedColor) const {
    // The system's text colour is the default; it gives way where it would not
    // stand out from the background. A colour the user chose stays as chosen.
    const QColor color = ColorFromStored(storedColor);
    if (storedColor != kWindowTextColor)
        return color;
    return ReadableTextColor(ColorFromStored(state_.BackColor), color);
}

void TForm1::ApplyMainFont(const QFont& font, qint32 storedColor) {
    mainFont_ = font;
    mainFontColor_ = storedColor;
    const QColor color = ColorFromStored(storedColor);
    // The controls that take the window's font; the labels with fonts of their
    // own keep them.
    for (QWidget* control : {static_cast<QWidget*>(ListB), static_cast<QWidget*>(Memo1),
                             static_cast<QWidget*>(List), static_cast<QWidget*>(Edit2)}) {
        control->setFont(font);
        QPalette palette = control->palette();
        palette.setColor(QPalette::Text, color);
        control->setPalette(palette);
    }
    for (QLabel* label : {Label2, Label3, Label4, Label6, Label7}) {
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, WelcomeTextColor(storedColor));
        label->setPalette(palette);
    }
    for (QLabel* link : {static_cast<QLabel*>(Label9), static_cast<QLabel*>(Label10)}) {
        QFont underlined = font;
        underlined.setUnderline(true);
        link->setFont(underlined);
    }
    if (client_->width() > 0)
        PlaceWelcomeLabels();
}

void TForm1::SetNavigationKeys(bool on) {
    Pejtnaprvn1->setShortcut(on ? QKeySequence(Qt::Key_Home) : QKeySequence());
    Pejtnaposledn1->setShortcut(on ? QKeySequence(Qt::Key_End) : QKeySequence());
    Dal1->setShortcut(on ? QKeySequence(Qt::Key_PageDown) : QKeySequence());
    Pedchoz1->setShortcut(on ? QKeySequence(Qt::Key_PageUp) : QKeySequence());
}

QStringList TForm1::titleCaptions() const {
    return ListB->TitleCaptions();
}

void TForm1::setTitleCaptions(const QStringList& titles) {
    ListB->SetTitleCaptions(titles);
}

void TForm1::setTableTabOption(bool on) {
    ListB->SetTabKeyOption(on);
}

bool TForm1::navigationShortcutsPresent() const {
    return !Pejtnaprvn1->shortcut().isEmpty();
}

bool TForm1::undoButtonVisible() const {
    return !SpeedButton12->isHidden();
}

QPrinter& TForm1::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}
