#include "storage/sevenzip/UpdateCallback.h"

#include "storage/sevenzip/CallbackGuard.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/PropVariant.h"

namespace sevenzip {

namespace {
constexpr quint32 NotInOldArchive = 0xFFFFFFFF;
}

UpdateCallback::UpdateCallback(const std::vector<T7zBatchItem>& queue, const ModuleApi& module,
                               std::shared_ptr<OperationError> errors)
    : queue_(queue), module_(module), errors_(std::move(errors)) {}

HRESULT UpdateCallback::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::IArchiveUpdateCallback)
        return answer(static_cast<IArchiveUpdateCallback*>(this), out);
    return noInterface(out);
}

HRESULT UpdateCallback::GetUpdateItemInfo(quint32 index, qint32* newData, qint32* newProperties,
                                          quint32* indexInArchive) {
    if (index >= queue_.size())
        return E_INVALIDARG;
    if (newData)
        *newData = 1;
    if (newProperties)
        *newProperties = 1;
    if (indexInArchive)
        *indexInArchive = NotInOldArchive;
    return S_OK;
}

HRESULT UpdateCallback::GetProperty(quint32 index, PROPID propId, PROPVARIANT* value) {
    setEmpty(*value);
    if (index >= queue_.size())
        return E_INVALIDARG;
    return guardedCall(errors_.get(), [&] { return fillProperty(queue_[index], propId, *value); });
}

HRESULT UpdateCallback::fillProperty(const T7zBatchItem& item, PROPID propId,
                                     PROPVARIANT& value) const {
    switch (propId) {
    case propid::Path:
        return setString(value, item.ArchiveName, module_) ? S_OK : E_OUTOFMEMORY;
    case propid::IsFolder:
        setBool(value, item.IsDirectory);
        break;
    case propid::Size:
        setUInt64(value, item.ByteSize);
        break;
    case propid::Attributes:
        setUInt32(value, item.FileAttributes);
        break;
    case propid::CreationTime:
        setFileTime(value, item.CreateTime);
        break;
    case propid::LastWriteTime:
        setFileTime(value, item.WriteTime);
        break;
    case propid::IsAnti:
        setBool(value, item.IsDeletion);
        break;
    default:
        break; // anything else stays empty
    }
    return S_OK;
}

HRESULT UpdateCallback::GetStream(quint32 index, ISequentialInStream** out) {
    *out = nullptr;
    if (index >= queue_.size())
        return E_INVALIDARG;
    return guardedCall(errors_.get(), [&] {
        const ComPtr<T7zStream> stream = openSource(queue_[index]);
        if (!stream)
            return E_FAIL;
        handOver(stream, out);
        return S_OK;
    });
}

ComPtr<T7zStream> UpdateCallback::openSource(const T7zBatchItem& item) const {
    if (item.SourceKind == T7zBatchItem::FromFile) {
        const int fd = openForReading(item.SourcePath);
        return makeCom<T7zStream>(fd, true, item.SourcePath, errors_);
    }
    if (item.SourceStream && item.SourceStream->Seek(0, 0, nullptr) == S_OK)
        return item.SourceStream;
    return {};
}

} // namespace sevenzip
