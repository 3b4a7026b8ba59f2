#include "widgets/DialogLook.h"

#include "core/ReadableText.h"

#include <QDialog>
#include <QGuiApplication>
#include <QToolButton>

namespace dialoglook {

void makeFixedDialog(QDialog& dialog, const QString& caption, QSize clientSize) {
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    // Equal minimum and maximum sizes also tell the window manager that the
    // window can be neither resized nor maximised.
    dialog.setFixedSize(clientSize);
}

QToolButton* makeButton(QWidget& parent, const QString& text, QStyle::StandardPixmap icon,
                        const QRect& geometry) {
    auto* button = new QToolButton(&parent);
    button->setText(text);
    button->setIcon(parent.style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    button->setGeometry(geometry);
    return button;
}

void setBackground(QWidget& dialog, const QColor& color) {
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, color);
    // Labels, check boxes and radio buttons draw on this colour.
    palette.setColor(QPalette::WindowText,
                     readabletext::readableTextColor(
                         color, QGuiApplication::palette().color(QPalette::WindowText)));
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}

} // namespace dialoglook
