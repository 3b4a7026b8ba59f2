#pragma once

#include <QByteArray>
#include <QString>

// Card files built to hurt: zip bombs, floods of items and names that a plain
// writer would refuse, made with Python's zipfile (streaming, so that a member
// of hundreds of megabytes costs little memory) and patched byte by byte.
namespace hostilecards {

// A deflated archive at zipPath with one member of `size` bytes, all `fill`.
// declaredSize >= 0 writes the member with a data descriptor and puts that
// size into the descriptor and the central directory instead of the real one,
// as a forged archive would: 7z.so then writes more than the declared size.
void writeLargeMember(const QString& zipPath, const QString& memberName, qint64 size,
                      char fill = 'A', qint64 declaredSize = -1);

// A stored archive with `count` members "itemN.txt" of one byte each.
void writeManyItems(const QString& zipPath, int count);

// Replaces every occurrence of `from` in the file by `to` (the same length),
// e.g. to put a NUL into a member name in both of its headers. Returns how many
// were replaced.
int replaceBytes(const QString& path, const QByteArray& from, const QByteArray& to);

} // namespace hostilecards
