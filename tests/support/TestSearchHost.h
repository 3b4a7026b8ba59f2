#pragma once

#include "search/SearchHost.h"
#include "tests/support/TestCardDir.h"

#include <QLineEdit>

// Stands in for the main window on a fresh test program directory: a card list
// of entries, its selection, its open action (which, like the real one, does
// nothing without a selection) and the quick-search box.
class TestSearchHost : public TestCardDir, public SearchHost {
public:
    int selectedRow = -1;
    QStringList opened; // entries opened through the open action, in order
    mutable QLineEdit edit2;

    QStringList cardEntries() const override { return entries; }
    void selectCardRow(int row) override { selectedRow = row; }
    void openSelectedCard() override {
        if (selectedRow >= 0)
            opened << entries[selectedRow];
    }
    QLineEdit* quickSearchBox() const override { return &edit2; }
    AppState& appState() override { return state; }
};
