#pragma once

#include <QString>
#include <QStringList>

// The part of a card file a content search reads: the lines of its notes member
// and then those of its table member. The two members are unpacked into memory
// only, so the working directory (where the open card's unsaved files live) is
// never touched.

// Member names of a card are looked up by the card list entry without its last
// three characters (the extension letters; the dot stays): "Name.krt" gives
// "Name.", whose members are "Name.txt" and "Name.tbl".
QString MemberStem(const QString& entry);

// Lines of the members stem + "txt" and stem + "tbl" at the root of the card file
// (names compared without regard to letter case), each split at CR LF, lone CR and
// lone LF, up to a NUL byte. A missing member gives no lines. A fresh archive
// reader is made for the card file. Throws AppError when the card file cannot be
// opened or a member cannot be unpacked.
QStringList ReadCardLines(const QString& libraryPath, const QString& cardPath, const QString& stem);
