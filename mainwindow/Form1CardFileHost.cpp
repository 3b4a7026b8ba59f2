#include "mainwindow/Form1CardFileHost.h"

#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"
#include "widgets/CommandGuard.h"

Form1CardFileHost::Form1CardFileHost(TForm1& form) : form_(form) {}

AppState& Form1CardFileHost::appState() {
    return form_.State();
}

OpenCard& Form1CardFileHost::openCard() {
    return form_.Card();
}

Prompts& Form1CardFileHost::prompts() {
    return form_.Dialogs();
}

void Form1CardFileHost::runCommand(const std::function<void()>& command) {
    RunGuarded(form_.Dialogs(), command);
}

void Form1CardFileHost::ReReadCardList() {
    form_.List->Update();
}
