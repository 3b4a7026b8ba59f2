#pragma once

#include <QString>

namespace systemerror {

// The Czech text for an errno value, as the user reads it after "Nelze zapsat
// soubor …:". The C library has no Czech messages on a machine without the Czech
// locale, so the errors a card file or a member can meet are named here; any
// other keeps its English text and number.
QString systemErrorText(int error);

} // namespace systemerror
