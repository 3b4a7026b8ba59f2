#pragma once

#include <QString>
#include <QStringList>

class Prompts;

namespace picturechoice {

// The open-file dialog for a card's picture: its title and its filters, the
// first one selected.
QString pictureDialogTitle();

QStringList pictureDialogFilters();

// Asks for a picture file; the chosen file's full path, or empty on Cancel.
QString choosePictureFile(Prompts& prompts);

} // namespace picturechoice
