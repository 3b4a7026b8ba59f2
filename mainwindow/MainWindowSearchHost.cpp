#include "mainwindow/MainWindowSearchHost.h"

#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"

MainWindowSearchHost::MainWindowSearchHost(TForm1& form1) : form1_(form1) {}

QStringList MainWindowSearchHost::cardEntries() const {
    return form1_.List->Items();
}

void MainWindowSearchHost::selectCardRow(int row) {
    form1_.List->SetItemIndex(row);
}

void MainWindowSearchHost::openSelectedCard() {
    // The same open as a double-click on the list: it saves or asks about the
    // open card's changes first, and does nothing without a selection.
    form1_.ListDblClick();
}

QLineEdit* MainWindowSearchHost::quickSearchBox() const {
    return form1_.Edit2;
}

AppState& MainWindowSearchHost::appState() {
    return form1_.State();
}
