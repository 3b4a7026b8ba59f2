#pragma once

#include <QByteArray>
#include <QString>

namespace droppedtext {

// The text of a file dropped on the notes. Text files on Linux are mostly
// UTF-8, while files from Windows and the card members are code page 1250: bytes
// that are valid UTF-8 are read as UTF-8 (a UTF-8 or UTF-16 byte-order mark is
// honoured), anything else as code page 1250. Line breaks become "\n", as the
// notes box holds them, and a NUL ends the text, as in a notes member.
QString decodeDroppedText(const QByteArray& bytes);

// The same for the file at path; AppError when it cannot be read.
QString readDroppedText(const QString& path);

} // namespace droppedtext
