#pragma once

#include "storage/AppState.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>

// A fresh test program directory with its card files and a card list of
// entries, as the main window would list them; needs no window.
struct TestCardDir {
    TestCardDir() : state(dir.startedState()) {}

    // Writes a card file holding these table lines and notes.
    void writeCard(const QString& name, const QStringList& table, const QString& notes) {
        testcards::writeCard(dir, name, table, notes);
    }

    // The card list as the main window fills it: the card files, sorted without
    // regard to letter case.
    void listCardDir() {
        QDir cards(state.CardDir);
        entries =
            cards.entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    }

    const TestProgramDir dir;
    AppState state;
    QStringList entries;
};
