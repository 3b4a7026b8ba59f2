#pragma once

#include "storage/sevenzip/ModuleApi.h"

#include <QString>

namespace sevenzip {

// A PROPVARIANT filled by the library, cleared with the library's VariantClear.
// It starts zero-filled (VT_EMPTY), as the library clears whatever it is given.
class ReceivedVariant {
public:
    explicit ReceivedVariant(const ModuleApi& module);
    ~ReceivedVariant();
    ReceivedVariant(const ReceivedVariant&) = delete;
    ReceivedVariant& operator=(const ReceivedVariant&) = delete;

    PROPVARIANT* get() { return &value_; }
    VARTYPE type() const { return value_.vt; }

    QString toString() const; // empty unless VT_BSTR; embedded NULs are kept
    bool toBool() const;      // false unless VT_BOOL
    quint32 toUInt32() const; // 0 unless VT_UI4
    quint64 toUInt64() const; // 0 unless VT_UI8 or VT_UI4

private:
    const ModuleApi& module_;
    PROPVARIANT value_{};
};

// Filling the variants the library asks of our callbacks. `value` arrives as
// VT_EMPTY; each sets every field.
void setEmpty(PROPVARIANT& value);
void setBool(PROPVARIANT& value, bool flag);
void setUInt32(PROPVARIANT& value, quint32 number);
void setUInt64(PROPVARIANT& value, quint64 number);
void setFileTime(PROPVARIANT& value, quint64 fileTime);
// Empty text gives VT_EMPTY. Returns false when the library cannot allocate it.
bool setString(PROPVARIANT& value, const QString& text, const ModuleApi& module);

} // namespace sevenzip
