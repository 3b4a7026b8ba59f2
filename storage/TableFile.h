#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The table member of a card: one line "key=value" per row of the table, in
// table order. The key is the text before the first "="; a line without "=" is
// kept unchanged. Keys may repeat and may be empty.
//
// Stored form: code page 1250, every line followed by CR LF (the last one too);
// a table without rows is an empty file. Reading also accepts lone CR and lone
// LF line breaks, a break at the very end adds no row, an empty line in the
// middle is a row, and a NUL byte ends the text.

namespace tablefile {

// Pure conversions, for tests and for the search, which reads members in memory.
QStringList parseTable(const QByteArray& bytes);

QByteArray formatTable(const QStringList& lines); // AppError for characters cp1250 lacks

// The file name part of `path` is looked up without regard to letter case, like
// every member in the working directory. Throws AppError naming the file when it
// cannot be read.
QStringList LoadTable(const QString& path);

// Creates or replaces the file; a file whose name differs only in case is
// replaced too. Throws AppError, before anything is written, when a line holds a
// character code page 1250 cannot store, and when the file cannot be written.
void SaveTable(const QString& path, const QStringList& lines);

} // namespace tablefile
