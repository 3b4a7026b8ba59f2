#pragma once

#include "core/OpenCard.h"
#include "mainwindow/Application.h"
#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"
#include "widgets/CommandGuard.h"

#include <QList>
#include <QtTest>

// The whole program (main window, its dialogs and bound commands) started on a
// test program directory, with scripted prompts and a process end that only
// records its exit codes.
struct AppFixture {
    explicit AppFixture(const TestProgramDir& dir)
        : application(dir.path(), &prompts, [this](int code) { endCodes << code; }) {
        started = application.Start();
    }

    TForm1& form() const { return *application.Form1(); }
    AppState& state() { return application.State(); }
    OpenCard& card() const { return form().Card(); }

    // Selects entry index of the card list and opens it as a double click does.
    void open(int index) {
        form().List->SetItemIndex(index);
        RunGuarded(prompts, [this] { form().ListDblClick(); });
    }
    // Shows the main window and makes it active; whether it became active.
    bool show() {
        form().show();
        form().activateWindow();
        return QTest::qWaitForWindowActive(&form());
    }

    ScriptedPrompts prompts;
    QList<int> endCodes;
    Application application;
    bool started = false;
};
