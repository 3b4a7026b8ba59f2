#pragma once

#include "core/DroppedFiles.h"

class CardEditingCommands;
class TForm1;

// The main window's card editor as the target of dropped files.
class EditorDropTarget : public DropTarget {
public:
    EditorDropTarget(TForm1& form, CardEditingCommands& commands);

    bool cardLoaded() const override;
    bool notesEmpty() const override;
    void replaceNotes(const QString& text) override;
    void ImageSelect(const QString& path) override;

private:
    TForm1& form_;
    CardEditingCommands& commands_;
};
