#include "storage/CardRename.h"

#include "storage/FileNames.h"

#include <QFileInfo>

namespace {

const QString kMemberSuffixes[] = {QStringLiteral(".tbl"), QStringLiteral(".txt"),
                                   QStringLiteral("1.bmp")};

} // namespace

bool RenameCardFiles(const QString& workDir, const QString& oldName, const QString& newName,
                     const QString& cardPath) {
    // A folder part would move the card out of its folder and out of the card list.
    if (newName.isEmpty() || newName.contains(u'/'))
        return false;
    // The working directory holds copies only; a stale file under the new name
    // (left by a search, say) gives way to the open card's member.
    RenameCardMembers(workDir, oldName, newName, true);
    const QFileInfo card(cardPath);
    return filenames::rename(card.path(), card.fileName(), newName + QStringLiteral(".krt"), false);
}

void RenameCardMembers(const QString& workDir, const QString& oldName, const QString& newName,
                       bool replaceExisting) {
    for (const QString& suffix : kMemberSuffixes)
        filenames::rename(workDir, oldName + suffix, newName + suffix, replaceExisting);
}
