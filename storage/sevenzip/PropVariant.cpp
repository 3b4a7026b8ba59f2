#include "storage/sevenzip/PropVariant.h"

#include <cstring>

namespace sevenzip {

ReceivedVariant::ReceivedVariant(const ModuleApi& module) : module_(module) {}

ReceivedVariant::~ReceivedVariant() {
    module_.variantClear(&value_);
}

QString ReceivedVariant::toString() const {
    if (value_.vt != VT_BSTR || value_.bstrVal == nullptr)
        return {};
    // The length stands in the four bytes before the text; reading up to the
    // first NUL instead would hide the rest of a name that holds one.
    quint32 bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const char*>(value_.bstrVal) - sizeof(bytes),
                sizeof(bytes));
    return QString::fromWCharArray(value_.bstrVal, qsizetype(bytes / sizeof(wchar_t)));
}

bool ReceivedVariant::toBool() const {
    return value_.vt == VT_BOOL && value_.boolVal != 0;
}

quint32 ReceivedVariant::toUInt32() const {
    return value_.vt == VT_UI4 ? value_.ulVal : 0;
}

quint64 ReceivedVariant::toUInt64() const {
    if (value_.vt == VT_UI8)
        return value_.uhVal;
    return toUInt32();
}

void setEmpty(PROPVARIANT& value) {
    value = PROPVARIANT{};
}

void setBool(PROPVARIANT& value, bool flag) {
    setEmpty(value);
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

void setUInt32(PROPVARIANT& value, quint32 number) {
    setEmpty(value);
    value.vt = VT_UI4;
    value.ulVal = number;
}

void setUInt64(PROPVARIANT& value, quint64 number) {
    setEmpty(value);
    value.vt = VT_UI8;
    value.uhVal = number;
}

void setFileTime(PROPVARIANT& value, quint64 fileTime) {
    setEmpty(value);
    value.vt = VT_FILETIME;
    value.filetime = fileTime;
}

bool setString(PROPVARIANT& value, const QString& text, const ModuleApi& module) {
    setEmpty(value);
    if (text.isEmpty())
        return true;
    BSTR string = module.allocString(text);
    if (string == nullptr)
        return false;
    value.vt = VT_BSTR;
    value.bstrVal = string;
    return true;
}

} // namespace sevenzip
