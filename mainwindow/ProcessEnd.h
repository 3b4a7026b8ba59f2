#pragma once

#include <functional>

// Ends the process with an exit code. The program's own ends the event loop;
// tests install one that records the code.
using ProcessEnd = std::function<void(int exitCode)>;
