#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

class QPrinter;

// What printing reads from the main window: the open card as its editor
// controls show it (unsaved edits included), the card list, and the printer
// that the printer set-up dialog configures. The main window implements it.
class PrintSource {
public:
    virtual ~PrintSource() = default;

    virtual QString currentCardName() const = 0;
    // Entries of the card list (card file names with their extension), in list order.
    virtual QStringList cardList() const = 0;
    // The table's column titles, as many as the settings give.
    virtual QStringList titleCaptions() const = 0;
    // The table's rows as "key=value" lines; a line without "=" is a key alone.
    virtual QStringList tableRows() const = 0;
    virtual QString notesText() const = 0;
    virtual QFont notesFont() const = 0;
    // The picture the picture box shows (the card's picture or the placeholder).
    virtual QImage picture() const = 0;
    // The working directory, with a trailing "/".
    virtual QString workDir() const = 0;
    // The main window's printer, the one the printer set-up dialog changes.
    virtual QPrinter& printer() = 0;
};
