#pragma once

#include "storage/sevenzip/ComObject.h"
#include "storage/sevenzip/ComPtr.h"
#include "storage/sevenzip/OperationError.h"

#include <QString>
#include <atomic>
#include <memory>

namespace sevenzip {

// The bytes left to all items of one unpack together.
struct ByteBudget {
    explicit ByteBudget(quint64 total) : left(total) {}
    std::atomic<quint64> left;
};

// Passes an item's data on to another stream until the item or the whole unpack
// exceeds its limit; then it records the text for that limit and fails, which
// stops the library. The archive's declared sizes are checked before the unpack;
// this stream catches archives whose data are larger than they declare.
class LimitedOutStream final : public ComObject<ISequentialOutStream> {
public:
    struct Texts {
        QString itemTooLarge;  // recorded when the item passes itemLimit
        QString totalTooLarge; // recorded when the unpack passes its budget
    };
    LimitedOutStream(ComPtr<ISequentialOutStream> inner, quint64 itemLimit,
                     std::shared_ptr<ByteBudget> budget, Texts texts,
                     std::shared_ptr<OperationError> errors);

    HRESULT QueryInterface(const TGUID& iid, void** out) override;
    HRESULT Write(const void* data, quint32 size, quint32* processed) override;

private:
    bool take(quint32 size);

    ComPtr<ISequentialOutStream> inner_;
    quint64 itemLeft_;
    std::shared_ptr<ByteBudget> budget_;
    Texts texts_;
    std::shared_ptr<OperationError> errors_;
};

} // namespace sevenzip
