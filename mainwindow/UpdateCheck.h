#pragma once

#include <QString>

class Prompts;

namespace updatecheck {

// The separate updater program beside the program.
QString updaterPath(const QString& programDir);

// Starts the updater found in the program directory with the program's version
// ("074") as its one parameter and returns at once without waiting for it. When
// the updater is missing, says where to look for a new version. Returns whether
// the updater was found.
bool checkForUpdates(const QString& programDir, Prompts& prompts);

} // namespace updatecheck
