#pragma once

#include "storage/AppError.h"
#include "storage/sevenzip/ComTypes.h"
#include "storage/sevenzip/OperationError.h"

#include <new>

namespace sevenzip {

// Runs the body of a method the library calls. No C++ exception may unwind
// through the library's frames: an error becomes a result code here, and its
// text is kept in `errors` (when given) for the binding to throw afterwards.
template <class Body> HRESULT guardedCall(OperationError* errors, Body&& body) noexcept {
    try {
        return body();
    } catch (const AppError& error) {
        if (errors)
            errors->record(error.text());
        return E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        if (errors)
            errors->record(QStringLiteral("Unexpected error while the archive was processed"));
        return E_FAIL;
    }
}

} // namespace sevenzip
