#include "core/DroppedFiles.h"

#include "core/DroppedText.h"
#include "core/FileExtension.h"
#include "core/PictureFile.h"
#include "core/Prompts.h"

#include <QFileInfo>

namespace {

void loadTextFile(const QString& path, DropTarget& target, Prompts& prompts) {
    if (!target.notesEmpty() && !prompts.ask(droppedfiles::replaceNotesQuestion(path)))
        return;
    target.replaceNotes(droppedtext::readDroppedText(path));
}

} // namespace

namespace droppedfiles {

QString replaceNotesQuestion(const QString& path) {
    return QStringLiteral("Opravdu chcete nahradit text souborem \"%1\" ?")
        .arg(QFileInfo(path).fileName());
}

void loadDroppedFiles(const QStringList& paths, DropTarget& target, Prompts& prompts) {
    if (!target.cardLoaded())
        return;
    for (const QString& path : paths) {
        if (fileextension::upperCaseExtension(path) == u".TXT")
            loadTextFile(path, target, prompts);
        else if (picturefile::pictureFileTypeOf(path) != PictureFileType::Other)
            target.ImageSelect(path);
    }
}

} // namespace droppedfiles
