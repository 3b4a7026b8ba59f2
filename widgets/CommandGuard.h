#pragma once

// Folder rule: widgets/ holds the widgets every window shares. It may include
// storage/, core/ and widgets/ only.

#include "core/CommandAborted.h"
#include "core/Prompts.h"

#include <functional>

namespace commandguard {

// Runs a command bound to a control. An error it lets through is shown in the
// application's standard error box (prompts.error) and the program goes on.
void runGuarded(Prompts& prompts, const std::function<void()>& command);

} // namespace commandguard
