#pragma once

// The main window alone (no dialogs, no bound commands) started on a test
// program directory; AppFixture.h starts the whole program.

#include "core/OpenCard.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/EditorPanel.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/WindowParts.h"
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
        list().selectRow(index);
        commandguard::runGuarded(prompts, [this] { form->ListDblClick(); });
    }
    void save() {
        commandguard::runGuarded(prompts, [this] { form->SpeedButton3Click(); });
    }
    OpenCard& card() const { return form->card(); }
    CardEditor& editor() const { return form->editorPanel(); }
    CardListPanel& list() const { return form->listPanel(); }
    CommandRegistry& commands() const { return form->commands(); }
    // The main window's control with the designed name.
    template <class T> T* control(const char* name) const {
        return windowparts::control<T>(form, name);
    }
    // What WindowParts.h offers, not hidden by the one above in derived fixtures.
    template <class T, class W> static T* control(const W& window, const char* name) {
        return windowparts::control<T>(window, name);
    }

    AppState state;
    ScriptedPrompts prompts;
    QList<int> endCodes;
    std::unique_ptr<TForm1> form;
};

} // namespace fixture
