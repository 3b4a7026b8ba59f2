#pragma once

#include <QString>

namespace cardrename {

// Gives an open card a new name on disk. Each member of the card in workDir
// (oldName + ".tbl", ".txt", "1.bmp", in any letter case) that exists takes
// newName; a member that cannot be renamed is skipped. Then the card file at
// cardPath moves to newName + ".krt" in the same folder. The card file is never
// replaced nor lost: when another file already has the new name (in any case) or
// the move fails, it keeps its old name and the result is false.
bool renameCardFiles(const QString& workDir, const QString& oldName, const QString& newName,
                     const QString& cardPath);

// Gives each member of the card in workDir (oldName + ".tbl", ".txt", "1.bmp", in
// any letter case) that exists the name newName; a member that cannot be renamed
// is skipped. A file already under a new member name is replaced only when
// replaceExisting is true.
void renameCardMembers(const QString& workDir, const QString& oldName, const QString& newName,
                       bool replaceExisting);

} // namespace cardrename
