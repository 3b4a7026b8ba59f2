#pragma once

#include "storage/CardVersionName.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The earlier versions of the card files. They live in the history directory
// P + "HISTORY/" (AppState::historyDir()), beside FILES and TEMP so that the
// card list and the search never see them, one folder per card file named
// exactly like it: the versions of FILES/Karta.krt lie in HISTORY/Karta.krt/.
// Folder names keep their letter case, as card file names differing only in
// case are two cards on this system.
struct CardVersion {
    QString path;
    cardversionname::Stamp stamp;
    qint64 size = 0;
};

namespace cardhistory {

// The history folder of the card file cardFileName (a file name, no folder), with "/".
QString folderOf(const QString& historyDir, const QString& cardFileName);

// The versions in folder, newest first. Other files (a version being copied
// in, say) are no versions; a missing folder holds none.
QList<CardVersion> versions(const QString& folder);

// Gives the history of the card file oldFileName to newFileName, when a card
// file is renamed. A folder already under the new name belonged to an earlier
// card of that name and is set aside first (setAside), also when there is no
// history to move, so the versions of two cards never mix. False when a folder
// could not be moved.
bool move(const QString& historyDir, const QString& oldFileName, const QString& newFileName);

// Renames the history folder of cardFileName to cardFileName + "~" + the
// current UTC moment, a name no card file has, so that a new card of that name
// starts without versions while the old versions stay on disk. True when there
// was no such folder.
bool setAside(const QString& historyDir, const QString& cardFileName);

// A path for a new version of the moment momentUtc in folder, under a name no
// version there has yet; the folder is made when missing. Throws AppError when
// it cannot be made.
QString newVersionPath(const QString& folder, const QDateTime& momentUtc);

// Moves the file at path (a sync tool's conflict copy of the card) into the
// history of cardFileName, as the version of the moment it was last written,
// and prunes that history. Throws AppError naming the file when it cannot be
// moved there; then it stays where it was.
void adopt(const QString& historyDir, const QString& cardFileName, const QString& path);

} // namespace cardhistory
