#include "storage/sevenzip/ExtractCallback.h"

#include "storage/sevenzip/CallbackGuard.h"
#include "storage/sevenzip/OperationResultText.h"
#include "storage/sevenzip/T7zInArchive.h"

#include <utility>

namespace sevenzip {

ExtractCallback::ExtractCallback(T7zInArchive& archive, std::shared_ptr<OperationError> errors)
    : archive_(archive), errors_(std::move(errors)) {}

HRESULT ExtractCallback::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::IArchiveExtractCallback)
        return answer(static_cast<IArchiveExtractCallback*>(this), out);
    return noInterface(out);
}

HRESULT ExtractCallback::GetStream(quint32 index, ISequentialOutStream** out, qint32 askMode) {
    *out = nullptr;
    currentItem_.reset();
    if (askMode != AskExtract)
        return S_OK;
    return guardedCall(errors_.get(), [&] {
        if (index >= archive_.NumberOfItems())
            return E_INVALIDARG;
        ComPtr<ISequentialOutStream> stream = openItem(index);
        if (!stream)
            return S_OK; // the library skips the item without reporting a result
        currentItem_ = index;
        handOver(stream, out);
        return S_OK;
    });
}

HRESULT ExtractCallback::SetOperationResult(qint32 result) {
    if (!currentItem_)
        return S_OK;
    const quint32 index = *std::exchange(currentItem_, std::nullopt);
    return guardedCall(errors_.get(), [&] {
        finishItem(index, result == OperationOk);
        if (result == OperationOk)
            return S_OK;
        errors_->record(operationResultText(result, archive_.ItemPath(index)));
        return E_ABORT;
    });
}

} // namespace sevenzip
