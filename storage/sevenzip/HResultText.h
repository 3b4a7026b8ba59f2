#pragma once

#include "storage/sevenzip/ComTypes.h"

#include <QString>

namespace sevenzip {

// A readable Czech text for a result code returned by the library, starting
// with a small letter so that it can follow "…: ". Unknown codes show their
// number.
QString hresultText(HRESULT result);

} // namespace sevenzip
