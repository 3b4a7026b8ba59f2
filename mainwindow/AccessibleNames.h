#pragma once

class TForm1;

// What a screen reader says for the main window's controls: a Czech name for
// each control a user acts on (the icon-only tool bar buttons too), the card's
// picture exposed as an image, and Tab leaving the notes.
void NameMainWindowControls(TForm1& form);
