#pragma once

#include <QString>

namespace programdir {

// The directory of the running executable, with a trailing "/".
QString executableDirectory();

} // namespace programdir

// Where the program keeps its cards. A program directory is portable when it
// holds the marker file ".portable" (written by `cmake --install` and
// scripts/run.sh) or already holds FILES: then FILES, TEMP, HISTORY, the .ini
// files and the lock stay beside the program. Otherwise (the installed package
// under /usr) they live in the user's data folder, $XDG_DATA_HOME/kartoteka
// (by default ~/.local/share/kartoteka). 7z.so is always found beside the
// executable.
namespace programdir {

inline constexpr char kPortableMarker[] = ".portable";

// executableDir and the result with a trailing "/".
bool isPortable(const QString& executableDir);
QString userDataDirectory();
QString dataDirectory(const QString& executableDir);

// Creates the data directory when missing, readable by its user alone (a
// portable directory exists already and is left as it is). Throws AppError
// naming the folder when it cannot be made.
void makeDataDirectory(const QString& dataDir);

} // namespace programdir
