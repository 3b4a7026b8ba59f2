#pragma once

#include "storage/sevenzip/ComObject.h"
#include "storage/sevenzip/ComPtr.h"
#include "storage/sevenzip/LimitedOutStream.h"
#include "storage/sevenzip/OperationError.h"
#include "storage/sevenzip/UnpackLimits.h"

#include <memory>
#include <optional>
#include <vector>

class T7zInArchive;

namespace sevenzip {

// What the library calls back while it unpacks items of an archive. Subclasses
// decide where an item's data go; this class checks the indices the library
// passes, keeps every item and the whole unpack within the limits, and turns a
// failed item (bad CRC, data error, unsupported method, encryption) into an
// error naming the item, which stops the unpacking.
class ExtractCallback : public ComObject<IArchiveExtractCallback> {
public:
    // wanted: the indices to unpack, ascending; every other item is skipped.
    ExtractCallback(T7zInArchive& archive, std::vector<quint32> wanted, const UnpackLimits& limits,
                    std::shared_ptr<OperationError> errors);

    HRESULT QueryInterface(const TGUID& iid, void** out) override;
    HRESULT SetTotal(quint64) override { return S_OK; }
    HRESULT SetCompleted(const quint64*) override { return S_OK; }
    HRESULT GetStream(quint32 index, ISequentialOutStream** out, qint32 askMode) override;
    HRESULT PrepareOperation(qint32) override { return S_OK; }
    HRESULT SetOperationResult(qint32 result) override;

protected:
    T7zInArchive& archive() { return archive_; }
    const std::shared_ptr<OperationError>& errors() const { return errors_; }
    // Position of index among the wanted indices, or -1 when it is not wanted.
    qsizetype slotOf(quint32 index) const;
    std::size_t wantedCount() const { return wanted_.size(); }

    // The stream that receives item `index` (a wanted one), or none to skip it.
    virtual ComPtr<ISequentialOutStream> openItem(quint32 index) = 0;
    // The library has finished item `index`; `ok` tells whether it unpacked well.
    virtual void finishItem(quint32 index, bool ok) = 0;

private:
    ComPtr<ISequentialOutStream> limited(ComPtr<ISequentialOutStream> stream, quint32 index);

    T7zInArchive& archive_;
    std::vector<quint32> wanted_;
    UnpackLimits limits_;
    std::shared_ptr<ByteBudget> budget_;
    std::shared_ptr<OperationError> errors_;
    std::optional<quint32> currentItem_;
};

} // namespace sevenzip
