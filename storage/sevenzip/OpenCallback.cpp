#include "storage/sevenzip/OpenCallback.h"

namespace sevenzip {

HRESULT OpenCallback::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::IArchiveOpenCallback)
        return answer(static_cast<IArchiveOpenCallback*>(this), out);
    return noInterface(out);
}

} // namespace sevenzip
