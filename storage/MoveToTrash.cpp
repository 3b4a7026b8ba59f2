#include "storage/MoveToTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The folder holding the user's trash exists before Qt looks for it: without
// it, Qt gives up on the user's trash and makes one in the current directory.
bool hasDataHome() {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !dataHome.isEmpty() && QDir().mkpath(dataHome);
}

} // namespace

namespace trash {

void moveToTrash(const QString& path) {
    // Only files: whatever else stands at the path is left to the plain delete,
    // which refuses it, as it always did.
    if (QFileInfo(path).isFile() && hasDataHome() && QFile::moveToTrash(path))
        return;
    QFile::remove(path);
}

} // namespace trash
