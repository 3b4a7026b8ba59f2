#pragma once

#include "storage/sevenzip/ComObject.h"

namespace sevenzip {

// Progress of opening an archive: the binding shows none, so it only agrees.
// (A progress callback answering anything but S_OK would abort the open.)
class OpenCallback final : public ComObject<IArchiveOpenCallback> {
public:
    HRESULT QueryInterface(const TGUID& iid, void** out) override;
    HRESULT SetTotal(const quint64*, const quint64*) override { return S_OK; }
    HRESULT SetCompleted(const quint64*, const quint64*) override { return S_OK; }
};

} // namespace sevenzip
