#pragma once

#include <QString>

namespace workdir {

// Empties the working directory: deletes everything in it, plain and hidden
// files, symbolic links (the links themselves, never what they point to) and
// folders with their content, so that nothing an earlier card left can stand in
// a later card's way or stay for good. A missing directory is no error, and an
// entry that cannot be deleted simply stays.
void ClearWorkDir(const QString& workDir);

} // namespace workdir
