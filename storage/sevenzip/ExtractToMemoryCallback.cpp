#include "storage/sevenzip/ExtractToMemoryCallback.h"

#include "storage/sevenzip/T7zInArchive.h"

#include <algorithm>

namespace sevenzip {

ExtractToMemoryCallback::ExtractToMemoryCallback(T7zInArchive& archive,
                                                 std::vector<quint32> indices,
                                                 std::shared_ptr<OperationError> errors)
    : ExtractCallback(archive, std::move(errors)), indices_(std::move(indices)),
      data_(indices_.size()), finished_(indices_.size(), false) {}

qsizetype ExtractToMemoryCallback::slotOf(quint32 index) const {
    const auto found = std::lower_bound(indices_.begin(), indices_.end(), index);
    return found != indices_.end() && *found == index ? found - indices_.begin() : -1;
}

ComPtr<ISequentialOutStream> ExtractToMemoryCallback::openItem(quint32 index) {
    current_.reset();
    if (slotOf(index) < 0)
        return {};
    // The size is only a hint for the buffer; a damaged header must not make
    // it reserve gigabytes.
    constexpr quint64 largestHint = 64 * 1024 * 1024;
    current_ =
        makeCom<MemoryOutStream>(qsizetype(std::min(archive().ItemSize(index), largestHint)));
    return ComPtr<ISequentialOutStream>(current_.get());
}

void ExtractToMemoryCallback::finishItem(quint32 index, bool ok) {
    const qsizetype slot = slotOf(index);
    if (ok && slot >= 0 && current_) {
        data_[std::size_t(slot)] = current_->take();
        finished_[std::size_t(slot)] = true;
    }
    current_.reset();
}

} // namespace sevenzip
