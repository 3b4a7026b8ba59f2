#pragma once

#include <QByteArray>
#include <QString>

// The notes member of a card: the text of the notes box verbatim.
//
// Stored form: code page 1250 with CR LF between lines and no line break added
// at the end; empty notes are an empty file. Reading turns lone CR and lone LF
// into line breaks as well, and a NUL byte ends the text.
//
// In memory the lines of the text are separated by "\n" alone, as a Qt text box
// holds them (QPlainTextEdit::setPlainText / toPlainText). Saving accepts "\n",
// "\r\n" or a lone "\r" (and the Unicode line and paragraph separators) and
// writes each as CR LF, so the stored bytes are the same whichever a caller uses.

namespace notesfile {

// Pure conversions, for tests and for the search, which reads members in memory.
QString parseNotes(const QByteArray& bytes);

QByteArray formatNotes(const QString& text); // AppError for characters cp1250 lacks

// The file name part of `path` is looked up without regard to letter case, like
// every member in the working directory. Throws AppError naming the file when it
// cannot be read.
QString loadNotes(const QString& path);

// Creates or replaces the file; a file whose name differs only in case is
// replaced too. Throws AppError, before anything is written, when the text holds
// a character code page 1250 cannot store, and when the file cannot be written.
void saveNotes(const QString& path, const QString& text);

} // namespace notesfile
