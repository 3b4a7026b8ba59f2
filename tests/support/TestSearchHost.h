#pragma once

#include "search/SearchHost.h"
#include "storage/AppState.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QLineEdit>

// Stands in for the main window on a fresh test program directory: a card list
// of entries, its selection, its open action (which, like the real one, does
// nothing without a selection) and the quick-search box.
class TestSearchHost : public SearchHost {
public:
    TestSearchHost() : state(dir.startedState()) {}

    // Writes a card file holding these table lines and notes.
    void writeCard(const QString& name, const QStringList& table, const QString& notes) {
        testcards::writeCard(dir, name, table, notes);
    }

    const TestProgramDir dir;
    AppState state;
    QStringList entries;
    int selectedRow = -1;
    QStringList opened; // entries opened through the open action, in order
    mutable QLineEdit edit2;

    // The card list as the main window fills it: the card files, sorted without
    // regard to letter case.
    void listCardDir() {
        QDir dir(state.CardDir);
        entries =
            dir.entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    }

    QStringList cardEntries() const override { return entries; }
    void selectCardRow(int row) override { selectedRow = row; }
    void openSelectedCard() override {
        if (selectedRow >= 0)
            opened << entries[selectedRow];
    }
    QLineEdit* quickSearchBox() const override { return &edit2; }
    AppState& appState() override { return state; }
};
