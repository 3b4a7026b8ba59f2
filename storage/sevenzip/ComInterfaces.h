#pragma once

// The 7-Zip interfaces the binding calls or implements, as vtables of pure
// virtual functions in the library's slot order. 7z.so is built without a
// virtual destructor in IUnknown, so none of these structs may declare one (in
// the Itanium ABI it would take two slots and shift every method after it).

#include "storage/sevenzip/ComTypes.h"

namespace sevenzip {

struct IUnknown {
    virtual HRESULT QueryInterface(const TGUID& iid, void** out) = 0;
    virtual quint32 AddRef() = 0;
    virtual quint32 Release() = 0;

protected:
    ~IUnknown() = default;
};

struct ISequentialInStream : IUnknown {
    virtual HRESULT Read(void* data, quint32 size, quint32* processed) = 0;
};

struct ISequentialOutStream : IUnknown {
    virtual HRESULT Write(const void* data, quint32 size, quint32* processed) = 0;
};

// origin: 0 = from the start, 1 = from the current position, 2 = from the end.
struct IInStream : ISequentialInStream {
    virtual HRESULT Seek(qint64 offset, quint32 origin, quint64* newPosition) = 0;
};

struct IOutStream : ISequentialOutStream {
    virtual HRESULT Seek(qint64 offset, quint32 origin, quint64* newPosition) = 0;
    virtual HRESULT SetSize(quint64 size) = 0;
};

struct IStreamGetSize : IUnknown {
    virtual HRESULT GetSize(quint64* size) = 0;
};

struct IProgress : IUnknown {
    virtual HRESULT SetTotal(quint64 total) = 0;
    virtual HRESULT SetCompleted(const quint64* completed) = 0;
};

// Either pointer may be null.
struct IArchiveOpenCallback : IUnknown {
    virtual HRESULT SetTotal(const quint64* files, const quint64* bytes) = 0;
    virtual HRESULT SetCompleted(const quint64* files, const quint64* bytes) = 0;
};

struct IArchiveExtractCallback : IProgress {
    virtual HRESULT GetStream(quint32 index, ISequentialOutStream** out, qint32 askMode) = 0;
    virtual HRESULT PrepareOperation(qint32 askMode) = 0;
    virtual HRESULT SetOperationResult(qint32 result) = 0;
};

struct IArchiveUpdateCallback : IProgress {
    virtual HRESULT GetUpdateItemInfo(quint32 index, qint32* newData, qint32* newProperties,
                                      quint32* indexInArchive) = 0;
    virtual HRESULT GetProperty(quint32 index, PROPID propId, PROPVARIANT* value) = 0;
    virtual HRESULT GetStream(quint32 index, ISequentialInStream** out) = 0;
    virtual HRESULT SetOperationResult(qint32 result) = 0;
};

struct IInArchive : IUnknown {
    virtual HRESULT Open(IInStream* stream, const quint64* maxCheckStartPosition,
                         IArchiveOpenCallback* callback) = 0;
    virtual HRESULT Close() = 0;
    virtual HRESULT GetNumberOfItems(quint32* count) = 0;
    virtual HRESULT GetProperty(quint32 index, PROPID propId, PROPVARIANT* value) = 0;
    virtual HRESULT Extract(const quint32* indices, quint32 count, qint32 testMode,
                            IArchiveExtractCallback* callback) = 0;
    virtual HRESULT GetArchiveProperty(PROPID propId, PROPVARIANT* value) = 0;
    virtual HRESULT GetNumberOfProperties(quint32* count) = 0;
    virtual HRESULT GetPropertyInfo(quint32 index, BSTR* name, PROPID* propId, VARTYPE* type) = 0;
    virtual HRESULT GetNumberOfArchiveProperties(quint32* count) = 0;
    virtual HRESULT GetArchivePropertyInfo(quint32 index, BSTR* name, PROPID* propId,
                                           VARTYPE* type) = 0;
};

struct IOutArchive : IUnknown {
    virtual HRESULT UpdateItems(ISequentialOutStream* out, quint32 count,
                                IArchiveUpdateCallback* callback) = 0;
    virtual HRESULT GetFileTimeType(quint32* type) = 0;
};

struct ISetProperties : IUnknown {
    virtual HRESULT SetProperties(const wchar_t* const* names, const PROPVARIANT* values,
                                  quint32 count) = 0;
};

} // namespace sevenzip
