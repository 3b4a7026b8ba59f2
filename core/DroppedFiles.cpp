#include "core/DroppedFiles.h"

#include "core/DroppedText.h"
#include "core/FileExtension.h"
#include "core/PictureFile.h"
#include "core/Prompts.h"

#include <QFileInfo>

namespace {

void loadTextFile(const QString& path, DropTarget& target, Prompts& prompts) {
    if (!target.notesEmpty() && !prompts.ask(ReplaceNotesQuestion(path)))
        return;
    target.replaceNotes(ReadDroppedText(path));
}

} // namespace

QString ReplaceNotesQuestion(const QString& path) {
    return QStringLiteral("Opravdu chcete nahradit text souborem \"%1\" ?")
        .arg(QFileInfo(path).fileName());
}

void LoadDroppedFiles(const QStringList& paths, DropTarget& target, Prompts& prompts) {
    if (!target.cardLoaded())
        return;
    for (const QString& path : paths) {
        if (UpperCaseExtension(path) == u".TXT")
            loadTextFile(path, target, prompts);
        else if (PictureFileTypeOf(path) != PictureFileType::Other)
            target.ImageSelect(path);
    }
}
