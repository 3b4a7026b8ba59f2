#include "storage/sevenzip/HResultText.h"

namespace sevenzip {

QString hresultText(HRESULT result) {
    switch (result) {
    case S_FALSE: // what Open answers for a file it does not recognise
        return QStringLiteral("není to archiv Zip, nebo je poškozený");
    case E_FAIL:
        return QStringLiteral("neurčená chyba knihovny archivů");
    case E_ABORT:
        return QStringLiteral("operace byla přerušena");
    case E_OUTOFMEMORY:
        return QStringLiteral("nedostatek paměti");
    case E_INVALIDARG:
        return QStringLiteral("neplatný argument");
    case E_NOTIMPL:
        return QStringLiteral("funkce není v knihovně archivů k dispozici");
    case E_NOINTERFACE:
        return QStringLiteral("knihovna archivů nepodporuje požadované rozhraní");
    case CLASS_E_CLASSNOTAVAILABLE:
        return QStringLiteral("knihovna archivů nenabízí požadovaný formát");
    case STG_E_INVALIDFUNCTION:
        return QStringLiteral("požadovanou operaci nelze provést");
    case E_NEGATIVE_SEEK:
        return QStringLiteral("pokus o přesun před začátek souboru");
    default:
        return QString::asprintf("chyba knihovny archivů 0x%08X", quint32(result));
    }
}

} // namespace sevenzip
