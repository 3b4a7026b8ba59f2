#include "core/PictureChoice.h"

#include "core/PictureFile.h"
#include "core/Prompts.h"

QString PictureDialogTitle() {
    return QStringLiteral("Vyberte obrázek");
}

QStringList PictureDialogFilters() {
    // Letter case is listed out because the dialog matches patterns exactly on Linux.
    return {
        QStringLiteral("Všechny obrázky (%1)").arg(PicturePatterns().join(u' ')),
        QStringLiteral("Obrázky JPG, BMP (*.bmp *.BMP *.JPG *.jpg *.JPEG *.jpeg)"),
        QStringLiteral("JPEG Obrázky (*.JPG *.jpg *.JPEG *.jpeg)"),
        QStringLiteral("BMP Obrázky (*.bmp *.BMP)"),
        // "*" rather than "*.*": on Linux "*.*" would leave out names without a dot.
        QStringLiteral("Všechny soubory (*)"),
    };
}

QString ChoosePictureFile(Prompts& prompts) {
    return prompts.openFile(PictureDialogTitle(), PictureDialogFilters());
}
