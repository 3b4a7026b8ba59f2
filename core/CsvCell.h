#pragma once

#include <QString>

// Cells of the program's CSV files that a spreadsheet must not run as a
// formula. A cell starting with "=", "+", "-" or "@" is written with an
// apostrophe before it, which spreadsheets show as text and hide; so that the
// program reads its own files back unchanged, a cell that already starts with
// an apostrophe gets a second one.
namespace csvcell {

// The cell as written: an apostrophe before a leading "=", "+", "-", "@" or "'".
QString neutralized(const QString& cell);
// The cell as read back: one leading apostrophe removed where `neutralized`
// put it (before one of those five characters); any other cell as it is.
QString restored(const QString& cell);

} // namespace csvcell
