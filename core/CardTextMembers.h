#pragma once

#include <QByteArray>
#include <QString>

// The part of a card file a content search reads: its notes and table members,
// unpacked into memory only, so the working directory (where the open card's
// unsaved files live) is never touched.

struct CardTextMembers {
    QByteArray notes; // the notes member; empty when missing
    QByteArray table; // the table member; empty when missing
};

// The notes and table members of the card cardName at the root of the card file, names
// compared without regard to letter case. A fresh archive reader is made for the
// card file. Throws AppError when the card file cannot be opened or a member
// cannot be unpacked.
CardTextMembers ReadCardTextMembers(const QString& libraryPath, const QString& cardPath,
                                    const QString& cardName);
