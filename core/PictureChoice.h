#pragma once

#include <QString>
#include <QStringList>

class Prompts;

// The open-file dialog for a card's picture: its title and its filters, the
// first one selected.
QString PictureDialogTitle();
QStringList PictureDialogFilters();

// Asks for a picture file; the chosen file's full path, or empty on Cancel.
QString ChoosePictureFile(Prompts& prompts);
