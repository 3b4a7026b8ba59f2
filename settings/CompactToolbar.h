#pragma once

class QAbstractButton;
class QWidget;

// The toolbar controls that the compact toolbar changes.
struct ToolbarControls {
    QAbstractButton* SpeedButton3;  // "Uložit"
    QAbstractButton* SpeedButton4;  // "Nový"
    QAbstractButton* SpeedButton5;  // "Konec"
    QAbstractButton* SpeedButton6;  // "Odstranit"
    QAbstractButton* SpeedButton10; // "Nápověda"
    QAbstractButton* SpeedButton11; // "Tisknout"
    QAbstractButton* SpeedButton12; // undo, hidden in the designed toolbar
    QAbstractButton* SpeedButton13; // ">>"
    QAbstractButton* SpeedButton14; // "Hledat"
    QWidget* Panel1;
    QWidget* Panel2;
    QWidget* Panel4;
    QWidget* Panel5;
    QWidget* Panel6;
};

namespace toolbar {

// Strips the captions from the toolbar buttons (their pictures stay), narrows
// them and their bands, and shows the undo button, which the captions crowd
// out of the designed toolbar. Its visibility is how the settings dialog tells
// the two toolbar forms apart.
void CompactToolbar(const ToolbarControls& toolbar);

} // namespace toolbar
