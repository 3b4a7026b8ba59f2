#pragma once

#include <QString>

// Empties the working directory: deletes the plain files directly in it. Folders
// and their content stay, and so do hidden files (names starting with "."). A
// missing directory is no error, and a file that cannot be deleted simply stays.
void ClearWorkDir(const QString& workDir);
