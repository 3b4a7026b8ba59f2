#include "mainwindow/MainWindowSearchHost.h"

#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"

#include <QLineEdit>

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

QString MainWindowSearchHost::programDir() const {
    return form1_.State().programDir;
}

QString MainWindowSearchHost::cardDir() const {
    return form1_.State().CardDir;
}

QString MainWindowSearchHost::libraryPath() const {
    return form1_.State().libraryPath();
}

QString MainWindowSearchHost::quickSearchText() const {
    return form1_.Edit2->text();
}

void MainWindowSearchHost::setQuickSearchText(const QString& text) {
    form1_.Edit2->setText(text);
}

QWidget& MainWindowSearchHost::quickSearchField() const {
    return *form1_.Edit2;
}
