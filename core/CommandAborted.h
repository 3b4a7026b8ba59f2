#pragma once

#include <exception>

// Thrown by a command that has already told the user why it stops; the rest of
// the command and of every command that called it is skipped without a second box.
class CommandAborted : public std::exception {
public:
    const char* what() const noexcept override { return "command aborted"; }
};
