#pragma once

#include "storage/sevenzip/ComObject.h"
#include "storage/sevenzip/ModuleApi.h"
#include "storage/sevenzip/OperationError.h"
#include "storage/sevenzip/T7zBatchItem.h"

#include <memory>
#include <vector>

namespace sevenzip {

// What the library calls back while it writes a new archive from the queued
// items: every item is new, its properties come from the queue, its data from
// its source file or stream.
class UpdateCallback final : public ComObject<IArchiveUpdateCallback> {
public:
    UpdateCallback(const std::vector<T7zBatchItem>& queue, const ModuleApi& module,
                   std::shared_ptr<OperationError> errors);

    HRESULT QueryInterface(const TGUID& iid, void** out) override;
    HRESULT SetTotal(quint64) override { return S_OK; }
    HRESULT SetCompleted(const quint64*) override { return S_OK; }
    HRESULT GetUpdateItemInfo(quint32 index, qint32* newData, qint32* newProperties,
                              quint32* indexInArchive) override;
    HRESULT GetProperty(quint32 index, PROPID propId, PROPVARIANT* value) override;
    HRESULT GetStream(quint32 index, ISequentialInStream** out) override;
    HRESULT SetOperationResult(qint32) override { return S_OK; }

private:
    HRESULT fillProperty(const T7zBatchItem& item, PROPID propId, PROPVARIANT& value) const;
    ComPtr<T7zStream> openSource(const T7zBatchItem& item) const;

    const std::vector<T7zBatchItem>& queue_;
    ModuleApi module_;
    std::shared_ptr<OperationError> errors_;
};

} // namespace sevenzip
