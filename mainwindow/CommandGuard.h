#pragma once

#include "mainwindow/Prompts.h"

#include <exception>
#include <functional>

// Thrown by a command that has already told the user why it stops; the rest of
// the command and of every command that called it is skipped without a second box.
class CommandAborted : public std::exception {
public:
    const char* what() const noexcept override { return "command aborted"; }
};

// Runs a command bound to a control. An error it lets through is shown in the
// application's standard error box (prompts.error) and the program goes on.
void RunGuarded(Prompts& prompts, const std::function<void()>& command);
