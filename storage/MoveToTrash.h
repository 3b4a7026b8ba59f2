#pragma once

#include <QString>

namespace trash {

// Deletes a file the way the desktop does: into the user's trash (the
// freedesktop trash), from where the file manager can restore it. Where no
// trash takes the file, it is deleted for good. Failures are not reported
// here: the caller checks whether the file is gone.
void moveToTrash(const QString& path);

} // namespace trash
