#pragma once

#include <QString>

// The search's own choices, kept in `search.ini` in the program directory
// beside config.ini, whose lines stay as they are.
namespace searchsettings {

// The file's path for the program directory (with a trailing "/").
QString filePath(const QString& programDir);
// Whether searches ignore accents; false without the file.
bool withoutAccents(const QString& programDir);
// Throws AppError naming the file when it cannot be written.
void setWithoutAccents(const QString& programDir, bool on);

} // namespace searchsettings
