#pragma once

#include "print/TPrintForm.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestPrintSource.h"
#include "tests/support/TestProgramDir.h"

#include <memory>

// The print dialog on its own, over the main window's side as plain values: a
// fresh program directory (without the archive library), the shared state and
// scripted prompts. A test class derives from it and calls reset() before
// each test.
struct PrintDialogFixture {
    void reset() {
        form.reset();
        dir = std::make_unique<TestProgramDir>(false);
        dir->makeDirectories();
        state = AppState();
        state.WorkDir = dir->workDir();
        prompts = ScriptedPrompts();
        source = std::make_unique<TestPrintSource>();
        source->work = dir->workDir();
    }
    TPrintForm& makeForm() {
        form = std::make_unique<TPrintForm>(state, prompts, *source);
        return *form;
    }

    std::unique_ptr<TestProgramDir> dir;
    AppState state;
    ScriptedPrompts prompts;
    std::unique_ptr<TestPrintSource> source;
    std::unique_ptr<TPrintForm> form;
};
