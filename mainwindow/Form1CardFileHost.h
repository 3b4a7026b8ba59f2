#pragma once

#include "mainwindow/CardFileHost.h"

class TForm1;

// The main window as the card file dialogs see it.
class Form1CardFileHost : public CardFileHost {
public:
    explicit Form1CardFileHost(TForm1& form);

    AppState& appState() override;
    OpenCard& openCard() override;
    Prompts& prompts() override;
    void runCommand(const std::function<void()>& command) override;
    void ReReadCardList() override;

private:
    TForm1& form_;
};
