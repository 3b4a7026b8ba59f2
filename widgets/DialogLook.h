#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStyle>

class QColor;
class QDialog;
class QToolButton;
class QWidget;

// The common look of the program's dialogs: fixed client size, a fixed dialog
// border whose title bar asks for the close box only, the user's background colour, raised buttons
// with an icon and a bold caption that never take the focus (so Enter and Esc
// always reach the dialog's own key handling).
namespace dialoglook {

void makeFixedDialog(QDialog& dialog, const QString& caption, QSize clientSize);
QToolButton* makeButton(QWidget& parent, const QString& text, QStyle::StandardPixmap icon,
                        const QRect& geometry);
// The background colour of the dialog and of its widgets that have none of their
// own, with a text colour that stays readable on it.
void setBackground(QWidget& dialog, const QColor& color);

} // namespace dialoglook
