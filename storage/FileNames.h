#pragma once

#include <QString>

// File names in the card directory and the working directory compare without
// regard to letter case, as on the system the card files come from. Linux file
// systems tell NAME.TBL from NAME.tbl, so every existence test, member look-up
// and rename in those directories goes through these helpers.
//
// Only files count (also symbolic links to files); folders are never matched.
// `dir` may end with "/" or not; `name` is a plain file name without folders.
namespace filenames {

// The real path of the file whose name equals `name` without regard to case, or
// an empty string when there is none. An exact match wins over other spellings.
QString existingPath(const QString& dir, const QString& name);

bool exists(const QString& dir, const QString& name);

// dir + name, ready to be created or replaced: files whose names differ from
// `name` only in case are deleted first, so that writing NAME.tbl replaces an
// unpacked NAME.TBL instead of standing beside it.
QString pathForWriting(const QString& dir, const QString& name);

// The same two for a full path, whose file name part is looked up in its folder:
// the existing file named like path in any case (path itself when there is
// none), and path made ready for writing.
QString actualPath(const QString& path);
QString pathForWriting(const QString& path);

// Gives the file found under oldName (in any case) the name newName. A change of
// case alone is allowed. Another file already standing under newName (in any
// case) is replaced when replaceExisting is true; otherwise the rename is refused.
// Returns false when there is nothing to rename or the rename fails.
bool rename(const QString& dir, const QString& oldName, const QString& newName,
            bool replaceExisting);

} // namespace filenames
