#pragma once

#include "storage/sevenzip/ComTypes.h"

#include <QString>

namespace sevenzip {

// The exports of 7z.so the binding calls, looked up with dlsym. Strings and
// variants crossing the interface must be allocated and freed by the library's
// own functions: it frees what we hand over with its allocator, and we free
// what it hands us with its VariantClear.
struct ModuleApi {
    using CreateObjectFunction = HRESULT (*)(const TGUID* classId, const TGUID* iid, void** out);
    using GetModulePropFunction = HRESULT (*)(PROPID propId, PROPVARIANT* value);
    using SysAllocStringFunction = BSTR (*)(const wchar_t* text);
    using VariantClearFunction = HRESULT (*)(PROPVARIANT* value);

    CreateObjectFunction createObject = nullptr;
    GetModulePropFunction getModuleProp = nullptr;
    SysAllocStringFunction sysAllocString = nullptr;
    VariantClearFunction variantClear = nullptr;

    // A BSTR owned by the library's allocator; null when allocation fails.
    BSTR allocString(const QString& text) const;
};

} // namespace sevenzip
