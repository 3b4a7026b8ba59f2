#pragma once

#include <QString>

// The program's name, the main window's caption while no card is open.
QString ApplicationTitle();
// The caption while a card is open: "Pelvarin Kartotéka - (N) name", N being
// the card's position in the card list (0 when it is not listed).
QString CardWindowTitle(int number, const QString& cardName);
