#include "storage/sevenzip/HResultText.h"

namespace sevenzip {

QString hresultText(HRESULT result) {
    switch (result) {
    case S_FALSE: // what Open answers for a file it does not recognise
        return QStringLiteral("The file is not a Zip archive or is damaged");
    case E_FAIL:
        return QStringLiteral("Unspecified error");
    case E_ABORT:
        return QStringLiteral("Operation aborted");
    case E_OUTOFMEMORY:
        return QStringLiteral("Not enough memory");
    case E_INVALIDARG:
        return QStringLiteral("One or more arguments are invalid");
    case E_NOTIMPL:
        return QStringLiteral("Not implemented");
    case E_NOINTERFACE:
        return QStringLiteral("Interface not supported");
    case CLASS_E_CLASSNOTAVAILABLE:
        return QStringLiteral("The archive library does not offer the requested format");
    case STG_E_INVALIDFUNCTION:
        return QStringLiteral("Unable to perform the requested operation");
    case E_NEGATIVE_SEEK:
        return QStringLiteral("An attempt was made to move the file pointer before the "
                              "beginning of the file");
    default:
        return QString::asprintf("Archive library error 0x%08X", quint32(result));
    }
}

} // namespace sevenzip
