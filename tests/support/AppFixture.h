#pragma once

#include "core/OpenCard.h"
#include "mainwindow/Application.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/EditorPanel.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/WindowParts.h"
#include "widgets/CommandGuard.h"

#include <QList>
#include <QtTest>

// The whole program (main window, its dialogs and bound commands) started on a
// test program directory, with scripted prompts and a process end that only
// records its exit codes.
struct AppFixture {
    explicit AppFixture(const TestProgramDir& dir)
        : application(dir.path(), &prompts, [this](int code) { endCodes << code; }) {
        started = application.start();
    }

    TForm1& form() const { return *application.form1(); }
    AppState& state() { return application.state(); }
    OpenCard& card() const { return form().card(); }
    CardEditor& editor() const { return form().editorPanel(); }
    CardListPanel& list() const { return form().listPanel(); }
    CommandRegistry& commands() const { return form().commands(); }
    // The main window's control with the designed name.
    template <class T> T* control(const char* name) const {
        return windowparts::control<T>(form(), name);
    }
    // The dialog of type T.
    template <class T> T* dialog() const { return windowparts::dialog<T>(application); }
    // What WindowParts.h offers, not hidden by the two above in derived fixtures.
    template <class T, class W> static T* control(const W& window, const char* name) {
        return windowparts::control<T>(window, name);
    }
    template <class T> static T* dialog(const Application& program) {
        return windowparts::dialog<T>(program);
    }

    // Selects entry index of the card list and opens it as a double click does.
    void open(int index) {
        list().selectRow(index);
        commandguard::runGuarded(prompts, [this] { form().ListDblClick(); });
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
