#pragma once

#include <QDialog>
#include <QStyle>
#include <functional>

class OpenCard;
class Prompts;
class QToolButton;
struct AppState;

// What the card file dialogs need from the main window. MainWindowCardFileHost
// implements it over the main window; tests stand in for it.
class CardFileHost {
public:
    virtual ~CardFileHost() = default;

    virtual AppState& appState() = 0;
    // The open card, whose file the delete dialog deletes.
    virtual OpenCard& openCard() = 0;
    virtual Prompts& prompts() = 0;
    // Runs a dialog's command like every other handler of the main window: an
    // error it lets through is shown by the standard error box and ends it.
    virtual void runCommand(const std::function<void()>& command) = 0;
    // Reads the card directory into the card list again; no entry stays selected.
    virtual void reReadCardList() = 0;
};

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
