#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Every message, question, input box and file, font or printer dialog the
// program shows goes through this interface, owned by the application. Tests
// install a scripted implementation that records messages and answers questions.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Plain message box: one OK button, the application title as caption.
    virtual void message(const QString& text) = 0;
    // The application's standard error box for an error that a command let through.
    virtual void error(const QString& text) = 0;
    // Yes/No question without an icon; true only when the answer is Yes.
    virtual bool ask(const QString& text) = 0;
    // One-line input box: the edited text on OK, the proposed text on Cancel.
    virtual QString input(const QString& caption, const QString& prompt,
                          const QString& proposed) = 0;
    // Open-file dialog; an empty string on Cancel. The first filter is selected.
    virtual QString openFile(const QString& title, const QStringList& filters) = 0;
    // Save-file dialog in the user's documents folder, proposing proposedName
    // there; the chosen path, or an empty string on Cancel. The first filter is
    // selected.
    virtual QString saveFile(const QString& title, const QString& proposedName,
                             const QStringList& filters) = 0;
    // Font dialog starting from font and its colour (stored form,
    // settings/StoredColor.h); true (and both changed) on OK.
    virtual bool chooseFont(QFont& font, qint32& storedColor) = 0;
    // Printer set-up dialog for printer: the printer and paper chosen there
    // become printer's; true on OK.
    virtual bool setUpPrinter(QPrinter& printer) = 0;

    // The window that owns the boxes (the main window once it exists).
    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }

private:
    QWidget* owner_ = nullptr;
};
