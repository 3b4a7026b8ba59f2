#pragma once

#include "storage/sevenzip/ArchiveFunctions.h"

#include <QByteArray>
#include <QString>

// The part of a card file a content search reads: its notes and table members,
// unpacked into memory only, so the working directory (where the open card's
// unsaved files live) is never touched.

struct CardTextMembers {
    QByteArray notes; // the notes member; empty when missing
    QByteArray table; // the table member; empty when missing
};

namespace textmembers {

// The notes and table members of the card cardName at the root of the card file, names
// compared without regard to letter case. A fresh archive reader is made for the
// card file. Throws AppError when the card file cannot be opened or a member
// cannot be unpacked.
CardTextMembers readCardTextMembers(const QString& libraryPath, const QString& cardPath,
                                    const QString& cardName);

// The same on a library loaded once for many card files; safe to call from
// several threads at once.
CardTextMembers readCardTextMembers(const T7zLibraryPtr& library, const QString& cardPath,
                                    const QString& cardName);

// The same with a reader of the caller's, which may read one card file after
// another: making a reader costs the library more than opening a file.
CardTextMembers readCardTextMembers(T7zInArchive& reader, const QString& cardPath,
                                    const QString& cardName);

} // namespace textmembers
