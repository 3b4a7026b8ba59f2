#pragma once

#include "storage/sevenzip/ExtractCallback.h"
#include "storage/sevenzip/MemoryOutStream.h"

#include <QByteArray>
#include <vector>

namespace sevenzip {

// Unpacks the listed items into memory.
class ExtractToMemoryCallback final : public ExtractCallback {
public:
    // indices: ascending, each a file item of the archive.
    ExtractToMemoryCallback(T7zInArchive& archive, std::vector<quint32> indices,
                            const UnpackLimits& limits, std::shared_ptr<OperationError> errors);

    // The data of indices[i]; false when the library never finished it.
    bool finished(std::size_t i) const { return finished_[i]; }
    QByteArray take(std::size_t i) { return std::move(data_[i]); }

protected:
    ComPtr<ISequentialOutStream> openItem(quint32 index) override;
    void finishItem(quint32 index, bool ok) override;

private:
    std::vector<QByteArray> data_;
    std::vector<bool> finished_;
    ComPtr<MemoryOutStream> current_;
    UnpackLimits limits_;
};

} // namespace sevenzip
