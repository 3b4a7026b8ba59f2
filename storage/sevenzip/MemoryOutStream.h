#pragma once

#include "storage/sevenzip/ComObject.h"

#include <QByteArray>

namespace sevenzip {

// Collects an unpacked item in memory.
class MemoryOutStream final : public ComObject<ISequentialOutStream> {
public:
    explicit MemoryOutStream(qsizetype expectedSize);

    HRESULT QueryInterface(const TGUID& iid, void** out) override;
    HRESULT Write(const void* data, quint32 size, quint32* processed) override;

    QByteArray take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

} // namespace sevenzip
