#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Line handling shared by the stored text formats. Files written on Windows and
// elsewhere may break lines with CR LF, a lone CR or a lone LF; all three count.
namespace textlines {

// The text before the first NUL byte: a NUL ends the text of every stored file.
QByteArray beforeNul(const QByteArray& bytes);

// Splits text at CR LF, lone CR and lone LF. A line break at the very end adds no
// empty line; an empty text gives no lines.
QStringList split(const QString& text);

// Text with every CR LF, lone CR and lone LF replaced by lineEnd.
QString withLineEnds(const QString& text, QStringView lineEnd);

// Lines of a stored file: code page 1250 text up to the first NUL byte, split as
// above.
QStringList fromBytes(const QByteArray& bytes);

// Stored form of lines: code page 1250, every line followed by CR LF; no lines
// give no bytes. Throws AppError for characters code page 1250 cannot hold.
QByteArray toBytes(const QStringList& lines);

} // namespace textlines
