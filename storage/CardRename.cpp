#include "storage/CardRename.h"

#include "storage/CardFileNames.h"
#include "storage/FileNames.h"

#include <QFileInfo>

namespace cardrename {

bool renameCardFiles(const QString& workDir, const QString& oldName, const QString& newName,
                     const QString& cardPath) {
    // A folder part would move the card out of its folder and out of the card list.
    if (newName.isEmpty() || newName.contains(u'/'))
        return false;
    // The working directory holds copies only; a stale file under the new name
    // (left by a search, say) gives way to the open card's member.
    cardrename::renameCardMembers(workDir, oldName, newName, true);
    const QFileInfo card(cardPath);
    return filenames::rename(card.path(), card.fileName(), cardfile::fileNameOf(newName), false);
}

void renameCardMembers(const QString& workDir, const QString& oldName, const QString& newName,
                       bool replaceExisting) {
    const QStringList oldMembers = cardfile::memberNames(oldName);
    const QStringList newMembers = cardfile::memberNames(newName);
    for (qsizetype i = 0; i < oldMembers.size(); ++i)
        filenames::rename(workDir, oldMembers[i], newMembers[i], replaceExisting);
}

} // namespace cardrename
