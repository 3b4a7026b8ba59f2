#pragma once

#include <QString>

namespace windowtitle {

// The program's name, the main window's caption while no card is open.
QString applicationTitle();

// The caption while a card is open: "Pelvarin Kartotéka - (N) name", N being
// the card's position in the card list (0 when it is not listed).
QString cardWindowTitle(int number, const QString& cardName);

} // namespace windowtitle
