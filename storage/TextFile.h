#pragma once

#include <QString>
#include <QStringList>

// Small text files of lines: config.ini, font.ini and the layout files. They are
// code page 1250 without a byte-order mark, every line ending with CR LF.

namespace textfile {

// The lines of the file. Lines may also end with a lone CR or LF; a NUL byte ends
// the text. Throws AppError naming the file when it cannot be read.
QStringList readTextLines(const QString& path);

// Replaces the file by the lines, each followed by CR LF. The file is replaced
// only after the new content is complete on disk. Throws AppError when a line
// holds a character code page 1250 cannot store (the file is left untouched) or
// when the file cannot be written.
void writeTextLines(const QString& path, const QStringList& lines);

} // namespace textfile
