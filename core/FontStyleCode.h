#pragma once

#include <QFont>
#include <QString>

namespace fontstyle {

// The four-letter font style code of font.ini: one letter per style in the
// order bold, italic, underline, strike-out; "T" when set, "F" when not.
QString EncodeFontStyle(const QFont& font);

// Sets the four styles on font from code. Any letter other than "T" leaves its
// style off; a code shorter than four letters counts the missing ones as "F".
void DecodeFontStyle(const QString& code, QFont& font);

} // namespace fontstyle
