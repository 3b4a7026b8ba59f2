#pragma once

#include <QString>
#include <QStringList>

namespace titlesplit {

// Splits the column titles (line 1 of config.ini, or the two title edits joined
// by ";") into items. Separators are ";" and every character with code 1 to 32;
// a double quotation mark quotes an item, and two of them inside a quoted item
// stand for one. A quoted item without its closing mark holds the rest of the
// text. Files written on Windows were split the same way, so the rule must not
// change: a title with a blank becomes two items.
QStringList splitTitles(const QString& text);

} // namespace titlesplit
