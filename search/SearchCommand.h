#pragma once

#include <functional>

class Prompts;

// Runs one user command of the search windows. An error it lets through (an
// AppError from a card file, or any std::exception) is shown with
// prompts.error; the rest of the command is skipped and the program goes on.
void RunSearchCommand(Prompts& prompts, const std::function<void()>& command);
