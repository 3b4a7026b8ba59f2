#include "mainwindow/CardFileDialog.h"

#include "widgets/DialogKeys.h"
#include "widgets/DialogLook.h"

#include <QKeyEvent>
#include <QToolButton>

CardFileDialog::CardFileDialog(CardFileHost& host, const QString& caption, QSize clientSize,
                               QWidget* parent)
    : QDialog(parent), host_(host) {
    dialoglook::makeFixedDialog(*this, caption, clientSize);
}

void CardFileDialog::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

void CardFileDialog::confirm() {
    host_.runCommand([this] { confirmed(); });
}

QToolButton* CardFileDialog::addConfirmButton(const QString& text, QStyle::StandardPixmap icon,
                                              const QRect& geometry) {
    QToolButton* button = dialoglook::makeButton(*this, text, icon, geometry);
    connect(button, &QToolButton::clicked, this, &CardFileDialog::confirm);
    return button;
}

QToolButton* CardFileDialog::addCancelButton(const QString& text, QStyle::StandardPixmap icon,
                                             const QRect& geometry) {
    QToolButton* button = dialoglook::makeButton(*this, text, icon, geometry);
    connect(button, &QToolButton::clicked, this, &QDialog::reject);
    return button;
}

void CardFileDialog::keyPressEvent(QKeyEvent* event) {
    if (!dialogkeys::handleConfirmCancel(
            *event, [this] { confirm(); }, [this] { reject(); }))
        QDialog::keyPressEvent(event);
}
