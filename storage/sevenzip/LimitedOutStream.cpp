#include "storage/sevenzip/LimitedOutStream.h"

#include "storage/sevenzip/CallbackGuard.h"

namespace sevenzip {

LimitedOutStream::LimitedOutStream(ComPtr<ISequentialOutStream> inner, quint64 itemLimit,
                                   std::shared_ptr<ByteBudget> budget, Texts texts,
                                   std::shared_ptr<OperationError> errors)
    : inner_(std::move(inner)), itemLeft_(itemLimit), budget_(std::move(budget)),
      texts_(std::move(texts)), errors_(std::move(errors)) {}

HRESULT LimitedOutStream::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::ISequentialOutStream)
        return answer(static_cast<ISequentialOutStream*>(this), out);
    return noInterface(out);
}

bool LimitedOutStream::take(quint32 size) {
    if (size > itemLeft_) {
        errors_->record(texts_.itemTooLarge);
        return false;
    }
    quint64 left = budget_->left.load();
    do {
        if (size > left) {
            errors_->record(texts_.totalTooLarge);
            return false;
        }
    } while (!budget_->left.compare_exchange_weak(left, left - size));
    itemLeft_ -= size;
    return true;
}

HRESULT LimitedOutStream::Write(const void* data, quint32 size, quint32* processed) {
    if (processed)
        *processed = 0;
    return guardedCall(nullptr,
                       [&] { return take(size) ? inner_->Write(data, size, processed) : E_FAIL; });
}

} // namespace sevenzip
