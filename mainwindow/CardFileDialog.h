#pragma once

#include <QDialog>
#include <QStyle>

class CardFileHost;
class QToolButton;

// The common frame of the small card file dialogs (new file, delete file): one
// command that Enter and the confirm button run through the main window's
// error handling, Esc and the cancel button close the dialog.
class CardFileDialog : public QDialog {
    Q_OBJECT
public:
    void setBackColor(const QColor& color);

protected:
    CardFileDialog(CardFileHost& host, const QString& caption, QSize clientSize, QWidget* parent);

    // The dialog's own command; run guarded by confirm().
    virtual void confirmed() = 0;
    // Runs confirmed() like every other command of the main window.
    void confirm();

    QToolButton* addConfirmButton(const QString& text, QStyle::StandardPixmap icon,
                                  const QRect& geometry);
    QToolButton* addCancelButton(const QString& text, QStyle::StandardPixmap icon,
                                 const QRect& geometry);

    void keyPressEvent(QKeyEvent* event) override;

    CardFileHost& host_;
};
