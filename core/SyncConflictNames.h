#pragma once

#include <QString>

// The names sync tools give the files they make beside a card file in FILES.
//
// A conflict copy is a second version of one card, kept by a sync tool when two
// computers changed the card at once:
//   Syncthing   "Karta.sync-conflict-20261208-120000-ABCDEFG.krt"
//   Nextcloud   "Karta (conflicted copy 2026-12-08 120000).krt"
//   Dropbox     "Karta (Jan's conflicted copy 2026-12-08).krt"
// Its card is the name without the inserted part ("Karta.krt"). A copy is
// only a version while its card exists; otherwise it is listed as a card.
//
// A sync tool's temporary file (a card file still being received) is never a
// card: ".syncthing.Karta.krt.tmp", "~syncthing~Karta.krt.tmp", Nextcloud's
// and Dropbox's partial downloads (".~", ".part", ".partial").
namespace syncnames {

// The file name of the card that the conflict copy fileName belongs to, with
// the copy's extension; empty when fileName is no conflict copy.
QString conflictOwner(const QString& fileName);

// Whether fileName is a file a sync tool is still writing.
bool isSyncTemporary(const QString& fileName);

} // namespace syncnames
