#include "storage/sevenzip/ExtractToMemoryCallback.h"

#include "storage/sevenzip/T7zInArchive.h"

#include <algorithm>

namespace sevenzip {

ExtractToMemoryCallback::ExtractToMemoryCallback(T7zInArchive& archive,
                                                 std::vector<quint32> indices,
                                                 const UnpackLimits& limits,
                                                 std::shared_ptr<OperationError> errors)
    : ExtractCallback(archive, std::move(indices), limits, std::move(errors)), data_(wantedCount()),
      finished_(wantedCount(), false), limits_(limits) {}

ComPtr<ISequentialOutStream> ExtractToMemoryCallback::openItem(quint32 index) {
    current_.reset();
    // The declared size is only a hint for the buffer; the limit keeps a
    // damaged header from making it reserve gigabytes.
    const quint64 hint =
        std::min(archive().itemSize(index), limits_.limitFor(archive().itemPath(index)));
    current_ = makeCom<MemoryOutStream>(qsizetype(hint));
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
