#pragma once

#include "search/SearchHost.h"
#include "storage/AppState.h"
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
    QString programDir() const override { return state.programDir; }
    QString cardDir() const override { return state.CardDir; }
    QString libraryPath() const override { return state.libraryPath(); }
    QString quickSearchText() const override { return edit2.text(); }
    void setQuickSearchText(const QString& text) override { edit2.setText(text); }
    QWidget& quickSearchField() const override { return edit2; }
};
