#include "storage/sevenzip/ModuleApi.h"

#include <string>

namespace sevenzip {

BSTR ModuleApi::allocString(const QString& text) const {
    const std::wstring wide = text.toStdWString(); // UTF-32 on Linux
    return sysAllocString(wide.c_str());
}

} // namespace sevenzip
