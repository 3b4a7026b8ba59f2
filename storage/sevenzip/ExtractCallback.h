#pragma once

#include "storage/sevenzip/ComObject.h"
#include "storage/sevenzip/ComPtr.h"
#include "storage/sevenzip/OperationError.h"

#include <memory>
#include <optional>

class T7zInArchive;

namespace sevenzip {

// What the library calls back while it unpacks items of an archive. Subclasses
// decide where an item's data go; this class checks the indices the library
// passes and turns a failed item (bad CRC, data error, unsupported method,
// encryption) into an error naming the item, which stops the unpacking.
class ExtractCallback : public ComObject<IArchiveExtractCallback> {
public:
    ExtractCallback(T7zInArchive& archive, std::shared_ptr<OperationError> errors);

    HRESULT QueryInterface(const TGUID& iid, void** out) override;
    HRESULT SetTotal(quint64) override { return S_OK; }
    HRESULT SetCompleted(const quint64*) override { return S_OK; }
    HRESULT GetStream(quint32 index, ISequentialOutStream** out, qint32 askMode) override;
    HRESULT PrepareOperation(qint32) override { return S_OK; }
    HRESULT SetOperationResult(qint32 result) override;

protected:
    T7zInArchive& archive() { return archive_; }
    const std::shared_ptr<OperationError>& errors() const { return errors_; }

    // The stream that receives item `index`, or none to skip the item.
    virtual ComPtr<ISequentialOutStream> openItem(quint32 index) = 0;
    // The library has finished item `index`; `ok` tells whether it unpacked well.
    virtual void finishItem(quint32 index, bool ok) = 0;

private:
    T7zInArchive& archive_;
    std::shared_ptr<OperationError> errors_;
    std::optional<quint32> currentItem_;
};

} // namespace sevenzip
