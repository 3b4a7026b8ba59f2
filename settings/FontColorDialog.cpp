#include "settings/FontColorDialog.h"

#include "settings/ColorBox.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontColorDialog::FontColorDialog(const QFont& font, qint32 storedColor, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Písmo"));

    // The font dialog embedded as a plain widget, its own buttons left out:
    // OK and Cancel below answer for the font and the colour at once.
    fontChooser_ = new QFontDialog(font, this);
    fontChooser_->setWindowFlags(Qt::Widget);
    fontChooser_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontChooser_);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

QFont FontColorDialog::selectedFont() const {
    return fontChooser_->currentFont();
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
