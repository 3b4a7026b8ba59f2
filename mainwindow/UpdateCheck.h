#pragma once

#include <QString>

class Prompts;

// The separate updater program beside the program.
QString UpdaterPath(const QString& programDir);

// Starts the updater found in the program directory with the program's version
// ("074") as its one parameter and returns at once without waiting for it. When
// the updater is missing, says where to look for a new version. Returns whether
// the updater was found.
bool CheckForUpdates(const QString& programDir, Prompts& prompts);
