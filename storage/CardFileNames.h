#pragma once

#include <QString>
#include <QStringList>

// How a card's files are named: its card file NAME.krt in FILES and its
// members NAME.tbl (table), NAME.txt (notes) and NAME1.bmp (picture), in the
// card file and in the working directory. Which names a user may give a card,
// and the messages that refuse one, are core/CardNameRules (cardnames::).
namespace cardfile {

// The card file extension, with its dot.
QString extension();
// The card list's file mask, "*.krt".
QString listMask();

// The card file name of the card called cardName.
QString fileNameOf(const QString& cardName);
// The card name of a card file: its file name (the path's last part) without
// the last four characters, the ".krt"; empty for an empty path.
QString cardNameOf(const QString& cardPath);

QString tableMember(const QString& cardName);
QString notesMember(const QString& cardName);
QString pictureMember(const QString& cardName);
// The three members, in the order they are packed.
QStringList memberNames(const QString& cardName);

} // namespace cardfile
