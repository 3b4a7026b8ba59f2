#pragma once

#include "storage/sevenzip/ComTypes.h"

#include <QString>

namespace sevenzip {

// A readable English text for a result code returned by the library.
QString hresultText(HRESULT result);

} // namespace sevenzip
