#include "widgets/FontColorDialog.h"

#include "widgets/ColorBox.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontColorDialog::FontColorDialog(const QFont& font, qint32 storedColor, QWidget* parent)
    : QDialog(parent), requestedFamily_(font.family()) {
    setWindowTitle(QStringLiteral("Písmo"));

    // The font dialog embedded as a plain widget, its own buttons left out:
    // OK and Cancel below answer for the font and the colour at once.
    fontChooser_ = new QFontDialog(font, this);
    fontChooser_->setWindowFlags(Qt::Widget);
    fontChooser_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontChooser_->setSizeGripEnabled(false);
    shownFamily_ = fontChooser_->currentFont().family();
    // Enter and Esc inside it would only close the embedded part; they answer
    // for the whole dialog. The font dialog accepts on Enter in its lists
    // itself and swallows Enter elsewhere, hence the filter.
    connect(fontChooser_, &QDialog::accepted, this, &QDialog::accept);
    connect(fontChooser_, &QDialog::rejected, this, &QDialog::reject);
    fontChooser_->installEventFilter(this);

    colorChooser_ = new ColorBox(this);
    colorChooser_->setSelected(storedColor);
    auto* colorLabel = new QLabel(QStringLiteral("&Barva:"), this);
    colorLabel->setBuddy(colorChooser_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Zrušit"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(colorChooser_);
    colorRow->addStretch();

    // The colour row and the buttons line up with the font dialog's own margins.
    auto* below = new QVBoxLayout;
    QMargins margins = fontChooser_->layout()->contentsMargins();
    margins.setTop(0);
    below->setContentsMargins(margins);
    below->addLayout(colorRow);
    below->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fontChooser_);
    layout->addLayout(below);
}

QFont FontColorDialog::selectedFont() const {
    QFont font = fontChooser_->currentFont();
    if (font.family() == shownFamily_)
        font.setFamily(requestedFamily_);
    return font;
}

qint32 FontColorDialog::selectedColor() const {
    return colorChooser_->selected();
}

bool FontColorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fontChooser_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                accept();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
