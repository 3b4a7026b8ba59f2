#pragma once

// The main window alone (no dialogs, no bound commands) started on a test
// program directory; AppFixture.h starts the whole program.

#include "core/OpenCard.h"
#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "widgets/CommandGuard.h"

#include <memory>

namespace fixture {

// The main window started on a test program directory, with scripted prompts
// and a process end that only records its exit codes.
struct Started {
    explicit Started(const TestProgramDir& dir) {
        state.programDir = dir.path();
        form = std::make_unique<TForm1>(state, prompts, [this](int code) { endCodes << code; });
    }
    // Selects entry index and opens it as a double click does.
    void Open(int index) {
        form->List->SetItemIndex(index);
        RunGuarded(prompts, [this] { form->ListDblClick(); });
    }
    void Save() {
        RunGuarded(prompts, [this] { form->SpeedButton3Click(); });
    }
    OpenCard& card() const { return form->Card(); }

    AppState state;
    ScriptedPrompts prompts;
    QList<int> endCodes;
    std::unique_ptr<TForm1> form;
};

} // namespace fixture
