#pragma once

#include <QStringList>

class QLineEdit;
struct AppState;

// What the search needs from the main window: its card list, the list's open
// action, the quick-search box and the shared state. The main window implements
// it; the search never reaches into the main window otherwise.
class SearchHost {
public:
    virtual ~SearchHost() = default;

    // The entries of the card list `List` (card file names such as "Name.krt"),
    // in list order.
    virtual QStringList cardEntries() const = 0;
    // Makes entry `row` of the card list its selection; -1 leaves the list
    // without a selection. The card is not opened.
    virtual void selectCardRow(int row) = 0;
    // Runs the card list's open action `ListDblClick` on its current selection;
    // with no selection it does nothing.
    virtual void openSelectedCard() = 0;
    // The toolbar's quick-search box `Edit2`.
    virtual QLineEdit* quickSearchBox() const = 0;
    // CardDir, the library path and the SearchRunning flag.
    virtual AppState& appState() = 0;
};
