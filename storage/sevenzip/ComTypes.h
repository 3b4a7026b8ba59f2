#pragma once

// Binary types of the 7-Zip object interface as 7z.so expects them on Linux
// x86-64: result codes, GUIDs, PROPVARIANT and the ids the binding uses.

#include <QtGlobal>
#include <cstddef>
#include <cstring>

// A COM GUID with the in-memory layout the library reads (little-endian fields).
struct TGUID {
    quint32 Data1;
    quint16 Data2;
    quint16 Data3;
    quint8 Data4[8];
};

inline bool operator==(const TGUID& a, const TGUID& b) {
    return std::memcmp(&a, &b, sizeof(TGUID)) == 0;
}

// Class id of the library's Zip format handler.
extern const TGUID ZipFormatId;

namespace sevenzip {

using HRESULT = qint32;
using PROPID = quint32;
using VARTYPE = quint16;
using VARIANT_BOOL = qint16;
using BSTR = wchar_t*;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_ABORT = HRESULT(0x80004004u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = HRESULT(0x80040111u);
constexpr HRESULT STG_E_INVALIDFUNCTION = HRESULT(0x80030001u);
constexpr HRESULT E_NEGATIVE_SEEK = HRESULT(0x80070083u);

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VarType : VARTYPE {
    VT_EMPTY = 0,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI4 = 19,
    VT_UI8 = 21,
    VT_FILETIME = 64,
};

// 16 bytes, the value at offset 8. wReserved1 must stay 0 in FILETIME values we
// send (the library reads it as a precision code).
struct PROPVARIANT {
    VARTYPE vt;
    quint16 wReserved1;
    quint16 wReserved2;
    quint16 wReserved3;
    union {
        VARIANT_BOOL boolVal;
        quint32 ulVal;
        quint64 uhVal;
        quint64 filetime; // 100-ns ticks since 1601-01-01 UTC
        BSTR bstrVal;
    };
};

static_assert(sizeof(wchar_t) == 4, "7z.so passes UTF-32 wchar_t strings");
static_assert(sizeof(TGUID) == 16);
static_assert(sizeof(PROPVARIANT) == 16 && alignof(PROPVARIANT) == 8);
static_assert(offsetof(PROPVARIANT, uhVal) == 8);

// Item and archive property ids.
namespace propid {
constexpr PROPID Path = 3;
constexpr PROPID IsFolder = 6;
constexpr PROPID Size = 7;
constexpr PROPID Attributes = 9;
constexpr PROPID CreationTime = 10;
constexpr PROPID LastWriteTime = 12;
constexpr PROPID IsAnti = 21;
constexpr PROPID ErrorFlags = 71;
} // namespace propid

// Ask modes of IArchiveExtractCallback::GetStream.
constexpr qint32 AskExtract = 0;

// Operation results reported to SetOperationResult.
constexpr qint32 OperationOk = 0;

constexpr quint32 FileAttributeArchive = 0x20;
// Tells the library the high 16 bits of the attributes hold a Unix mode.
constexpr quint32 FileAttributeUnixExtension = 0x8000;

constexpr TGUID makeIid(quint8 group, quint8 subId) {
    return {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, group, 0x00, subId, 0x00, 0x00}};
}

// Interface ids. Kept in this namespace (no external symbols) so nothing in the
// program carries the names the library exports.
namespace iid {
constexpr TGUID IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr TGUID ISequentialInStream = makeIid(0x03, 0x01);
constexpr TGUID ISequentialOutStream = makeIid(0x03, 0x02);
constexpr TGUID IInStream = makeIid(0x03, 0x03);
constexpr TGUID IOutStream = makeIid(0x03, 0x04);
constexpr TGUID IStreamGetSize = makeIid(0x03, 0x06);
constexpr TGUID ISetProperties = makeIid(0x06, 0x03);
constexpr TGUID IArchiveOpenCallback = makeIid(0x06, 0x10);
constexpr TGUID IArchiveExtractCallback = makeIid(0x06, 0x20);
constexpr TGUID IInArchive = makeIid(0x06, 0x60);
constexpr TGUID IArchiveUpdateCallback = makeIid(0x06, 0x80);
constexpr TGUID IOutArchive = makeIid(0x06, 0xA0);
} // namespace iid

} // namespace sevenzip
