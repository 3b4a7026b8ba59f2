#pragma once

#include <QStringList>

class QWidget;

// What the search needs from the main window: where the cards and the archive
// library are, its card list with the list's open action, and the quick-search
// box's text. The main window implements it; the search never reaches into the
// main window otherwise.
class SearchHost {
public:
    virtual ~SearchHost() = default;

    // The program directory (the search keeps its settings there), CardDir and
    // the path of the archive library.
    virtual QString programDir() const = 0;
    virtual QString cardDir() const = 0;
    virtual QString libraryPath() const = 0;

    // The entries of the card list `List` (card file names such as "Name.krt"),
    // in list order.
    virtual QStringList cardEntries() const = 0;
    // Makes entry `row` of the card list its selection; -1 leaves the list
    // without a selection. The card is not opened.
    virtual void selectCardRow(int row) = 0;
    // Runs the card list's open action `ListDblClick` on its current selection;
    // with no selection it does nothing.
    virtual void openSelectedCard() = 0;

    // The text of the toolbar's quick-search box `Edit2`.
    virtual QString quickSearchText() const = 0;
    virtual void setQuickSearchText(const QString& text) = 0;
    // The box as a place on the screen: its keys and double-clicks go to the
    // quick search, and a running quick search shows its progress on it.
    virtual QWidget& quickSearchField() const = 0;
};
