#pragma once

#include <functional>

class OpenCard;
class Prompts;
struct AppState;

// What the card file dialogs need from the main window. Form1CardFileHost
// implements it over the main window; tests stand in for it.
class CardFileHost {
public:
    virtual ~CardFileHost() = default;

    virtual AppState& appState() = 0;
    // The open card, whose file the delete dialog deletes.
    virtual OpenCard& openCard() = 0;
    virtual Prompts& prompts() = 0;
    // Runs a dialog's command like every other handler of the main window: an
    // error it lets through is shown by the standard error box and ends it.
    virtual void runCommand(const std::function<void()>& command) = 0;
    // Reads the card directory into the card list again; no entry stays selected.
    virtual void ReReadCardList() = 0;
};
