#include "core/PictureChoice.h"

#include "core/PictureFile.h"
#include "core/Prompts.h"

namespace picturechoice {

QString pictureDialogTitle() {
    return QStringLiteral("Vyberte obrázek");
}

QStringList pictureDialogFilters() {
    // Letter case is listed out because the dialog matches patterns exactly on Linux.
    return {
        QStringLiteral("Všechny obrázky (%1)").arg(picturefile::picturePatterns().join(u' ')),
        QStringLiteral("Obrázky JPG, BMP (*.bmp *.BMP *.JPG *.jpg *.JPEG *.jpeg)"),
        QStringLiteral("JPEG Obrázky (*.JPG *.jpg *.JPEG *.jpeg)"),
        QStringLiteral("BMP Obrázky (*.bmp *.BMP)"),
        // "*" rather than "*.*": on Linux "*.*" would leave out names without a dot.
        QStringLiteral("Všechny soubory (*)"),
    };
}

QString choosePictureFile(Prompts& prompts) {
    return prompts.openFile(picturechoice::pictureDialogTitle(),
                            picturechoice::pictureDialogFilters());
}

} // namespace picturechoice
