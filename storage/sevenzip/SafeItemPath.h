#pragma once

#include <QString>
#include <QStringList>

namespace sevenzip {

// The folder and file names of an archive item's path that may be used below an
// unpack destination, or an empty list when the item must not be unpacked: an
// absolute path ("/x", "\x", "C:x"), any ".." part, or nothing but separators.
// A backslash counts as a separator, as in archives written on Windows; empty
// and "." parts are dropped.
QStringList safeItemPathParts(const QString& itemPath);

} // namespace sevenzip
