#pragma once

#include <QString>
#include <QStringList>

class Prompts;

// What the handling of files dropped on the main window needs from it.
class DropTarget {
public:
    virtual ~DropTarget() = default;

    virtual bool cardLoaded() const = 0;
    virtual bool notesEmpty() const = 0;
    // Replaces the notes (which marks the card modified through their change handler).
    virtual void replaceNotes(const QString& text) = 0;
    // Loads a picture file into the card (ImageSelect).
    virtual void ImageSelect(const QString& path) = 0;
};

namespace droppedfiles {

// Handles files dropped on the main window, in the order of the drop: a text
// file (".TXT") replaces the notes, asking first when they hold text; a picture
// (".JPG", ".JPEG", ".BMP" or any other format Qt's image readers know) goes to ImageSelect, so the
// last one wins; other files are ignored, and so is the whole drop while no card is open. An error
// (a picture that cannot be decoded) ends the handling at that file.
void loadDroppedFiles(const QStringList& paths, DropTarget& target, Prompts& prompts);

// The question asked before a dropped text file replaces the notes.
QString replaceNotesQuestion(const QString& path);

} // namespace droppedfiles
