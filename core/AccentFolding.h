#pragma once

#include <QString>

// Letters without their accents and without letter case, for matching that
// ignores both: "Dvořák", "DVOŘÁK" and "dvorak" all fold to "DVORAK".
namespace accents {

// The text upper-cased, each letter stripped of its diacritical marks
// (decomposed, the combining marks dropped); letters with a stroke that do not
// decompose (ł, đ, ø) become their base letter.
QString folded(const QString& text);
// Whether folding changes the text beyond its letter case: it holds at least
// one accented letter.
bool hasAccents(const QString& text);

} // namespace accents
