#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace noteslines {

// The display lines of a notes text as the notes box (a plain-text editor with
// its frame and an always-shown vertical scroll bar) word-wraps it when the box
// is boxWidth pixels wide and shows it in font. A last display line that is
// empty (empty notes, or notes ending with a line break) is not counted, so
// empty notes have no line at all.
QStringList notesDisplayLines(const QString& text, const QFont& font, int boxWidth);

// The notes lines of a printed page, drawn in pageFont with pageWidth pixels of
// room: every paragraph broken as noteslines::notesDisplayLines breaks it, except that a
// paragraph with a line that would run past pageWidth is broken at pageWidth
// instead, so that no text is cut off at the page edge.
QStringList notesPageLines(const QString& text, const QFont& notesFont, int boxWidth,
                           const QFont& pageFont, int pageWidth);

} // namespace noteslines
