#pragma once

#include <QByteArray>
#include <QString>

// The part of a card file a content search reads: its notes and table members,
// unpacked into memory only, so the working directory (where the open card's
// unsaved files live) is never touched.

// Member names of a card are looked up by the card list entry without its last
// three characters (the extension letters; the dot stays): "Name.krt" gives
// "Name.", whose members are "Name.txt" and "Name.tbl".
QString MemberStem(const QString& entry);

struct CardTextMembers {
    QByteArray notes; // stem + "txt"; empty when missing
    QByteArray table; // stem + "tbl"; empty when missing
};

// The members stem + "txt" and stem + "tbl" at the root of the card file, names
// compared without regard to letter case. A fresh archive reader is made for the
// card file. Throws AppError when the card file cannot be opened or a member
// cannot be unpacked.
CardTextMembers ReadCardTextMembers(const QString& libraryPath, const QString& cardPath,
                                    const QString& stem);
