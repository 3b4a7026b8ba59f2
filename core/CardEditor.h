#pragma once

#include <QString>
#include <QStringList>

// What the open card needs from the main window's editor controls: the table
// (`ListB`), the notes (`Memo1`), the picture box (`Image1`) and the window
// parts that show whether and which card is open. The main window implements
// it; tests stand in for it without a window.
class CardEditor {
public:
    virtual ~CardEditor() = default;

    virtual QStringList tableLines() const = 0;
    virtual void setTableLines(const QStringList& lines) = 0;
    virtual void clearTable() = 0;
    // Makes the table visible (a table hidden by the start-up shows again).
    virtual void showTable() = 0;

    virtual QString notesText() const = 0;
    virtual void setNotesText(const QString& text) = 0;
    virtual void clearNotes() = 0;

    // Shows the bitmap file at path; the no-picture bitmap for an empty path or
    // a file that is no readable bitmap.
    virtual void showPicture(const QString& path) = 0;

    // The caption names the card at cardPath with its card list number.
    virtual void showCardTitle(const QString& cardPath, const QString& cardName) = 0;
    // Switches the window between "card open" and "no card open" (CardLoaded).
    virtual void updateWindowState() = 0;
};
