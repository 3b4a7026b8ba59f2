#include "storage/sevenzip/ExtractCallback.h"

#include "storage/sevenzip/CallbackGuard.h"
#include "storage/sevenzip/OperationResultText.h"
#include "storage/sevenzip/T7zInArchive.h"

#include <algorithm>
#include <utility>

namespace sevenzip {

ExtractCallback::ExtractCallback(T7zInArchive& archive, std::vector<quint32> wanted,
                                 const UnpackLimits& limits, std::shared_ptr<OperationError> errors)
    : archive_(archive), wanted_(std::move(wanted)), limits_(limits),
      budget_(std::make_shared<ByteBudget>(limits.maxTotalBytes)), errors_(std::move(errors)) {}

HRESULT ExtractCallback::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::IArchiveExtractCallback)
        return answer(static_cast<IArchiveExtractCallback*>(this), out);
    return noInterface(out);
}

qsizetype ExtractCallback::slotOf(quint32 index) const {
    const auto found = std::lower_bound(wanted_.begin(), wanted_.end(), index);
    return found != wanted_.end() && *found == index ? found - wanted_.begin() : -1;
}

ComPtr<ISequentialOutStream> ExtractCallback::limited(ComPtr<ISequentialOutStream> stream,
                                                      quint32 index) {
    const QString path = archive_.itemPath(index);
    const quint64 limit = limits_.limitFor(path);
    LimitedOutStream::Texts texts{archive_.itemTooLargeText(path, limit),
                                  archive_.totalTooLargeText(limits_.maxTotalBytes)};
    return ComPtr<ISequentialOutStream>(
        new LimitedOutStream(std::move(stream), limit, budget_, std::move(texts), errors_));
}

HRESULT ExtractCallback::GetStream(quint32 index, ISequentialOutStream** out, qint32 askMode) {
    *out = nullptr;
    currentItem_.reset();
    if (askMode != AskExtract)
        return S_OK;
    return guardedCall(errors_.get(), [&] {
        if (index >= archive_.numberOfItems())
            return E_INVALIDARG;
        if (slotOf(index) < 0)
            return S_OK; // the library skips the item without reporting a result
        ComPtr<ISequentialOutStream> stream = openItem(index);
        if (!stream)
            return S_OK;
        currentItem_ = index;
        handOver(limited(std::move(stream), index), out);
        return S_OK;
    });
}

HRESULT ExtractCallback::SetOperationResult(qint32 result) {
    if (!currentItem_)
        return S_OK;
    const quint32 index = *std::exchange(currentItem_, std::nullopt);
    return guardedCall(errors_.get(), [&] {
        finishItem(index, result == OperationOk && !errors_->isSet());
        if (result == OperationOk)
            return S_OK;
        errors_->record(
            archive_.readErrorText(operationResultText(result, archive_.itemPath(index))));
        return E_ABORT;
    });
}

} // namespace sevenzip
