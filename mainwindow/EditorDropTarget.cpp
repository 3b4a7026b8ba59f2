#include "mainwindow/EditorDropTarget.h"

#include "core/OpenCard.h"
#include "mainwindow/CardEditingCommands.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/TForm1.h"

EditorDropTarget::EditorDropTarget(TForm1& form, CardEditingCommands& commands)
    : form_(form), commands_(commands) {}

bool EditorDropTarget::cardLoaded() const {
    return form_.Card().CardLoaded();
}

bool EditorDropTarget::notesEmpty() const {
    return form_.Memo1->Text().isEmpty();
}

void EditorDropTarget::replaceNotes(const QString& text) {
    form_.Memo1->SetText(text);
}

void EditorDropTarget::ImageSelect(const QString& path) {
    commands_.ImageSelect(path);
}
