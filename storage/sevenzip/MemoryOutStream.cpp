#include "storage/sevenzip/MemoryOutStream.h"

#include "storage/sevenzip/CallbackGuard.h"

namespace sevenzip {

MemoryOutStream::MemoryOutStream(qsizetype expectedSize) {
    bytes_.reserve(expectedSize);
}

HRESULT MemoryOutStream::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::ISequentialOutStream)
        return answer(static_cast<ISequentialOutStream*>(this), out);
    return noInterface(out);
}

HRESULT MemoryOutStream::Write(const void* data, quint32 size, quint32* processed) {
    if (processed)
        *processed = 0;
    return guardedCall(nullptr, [&] {
        bytes_.append(static_cast<const char*>(data), qsizetype(size));
        if (processed)
            *processed = size;
        return S_OK;
    });
}

} // namespace sevenzip
