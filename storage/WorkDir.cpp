#include "storage/WorkDir.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>

void ClearWorkDir(const QString& workDir) {
    // An empty path would name the current directory.
    if (workDir.isEmpty())
        return;
    // Listed first and deleted afterwards, so the listing never runs over a
    // directory that changes under it.
    QStringList files;
    QDirIterator entries(workDir, QDir::Files);
    while (entries.hasNext())
        files << entries.next();
    for (const QString& file : files)
        QFile::remove(file);
}
