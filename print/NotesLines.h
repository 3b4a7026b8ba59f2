#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The display lines of a notes text as the notes box (a plain-text editor with
// its frame and an always-shown vertical scroll bar) word-wraps it when the box
// is boxWidth pixels wide and shows it in font. A last display line that is
// empty (empty notes, or notes ending with a line break) is not counted, so
// empty notes have no line at all.
QStringList NotesDisplayLines(const QString& text, const QFont& font, int boxWidth);

// lines, each one that is wider than width pixels in font broken again at word
// boundaries (inside a word only when the word alone is too wide), so that no
// line runs past width.
QStringList FitLinesToWidth(const QStringList& lines, const QFont& font, int width);
