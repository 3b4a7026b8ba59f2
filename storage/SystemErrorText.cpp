#include "storage/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace {

const char* czechText(int error) {
    switch (error) {
    case ENOENT:
        return "soubor nebo složka neexistuje";
    case EACCES:
    case EPERM:
        return "přístup odepřen";
    case EISDIR:
        return "je to složka";
    case ENOTDIR:
        return "část cesty není složka";
    case ENOSPC:
        return "na zařízení nezbývá volné místo";
    case EDQUOT:
        return "byla překročena disková kvóta";
    case EFBIG:
        return "soubor je příliš velký";
    case EIO:
        return "chyba vstupu/výstupu";
    case EROFS:
        return "systém souborů je jen pro čtení";
    case ELOOP:
        return "je to symbolický odkaz nebo příliš mnoho odkazů";
    case ENAMETOOLONG:
        return "název souboru je příliš dlouhý";
    case EEXIST:
        return "soubor už existuje";
    case EMFILE:
    case ENFILE:
        return "je otevřeno příliš mnoho souborů";
    case ENOMEM:
        return "nedostatek paměti";
    case EBUSY:
    case ETXTBSY:
        return "soubor je používán";
    case ENXIO:
    case ENODEV:
        return "zařízení není k dispozici";
    case EINVAL:
        return "neplatný argument";
    case ESPIPE:
        return "v souboru nelze přecházet na jiné místo";
    case ENOTEMPTY:
        return "složka není prázdná";
    default:
        return nullptr;
    }
}

} // namespace

namespace systemerror {

QString systemErrorText(int error) {
    if (const char* text = czechText(error))
        return QString::fromUtf8(text);
    // strerrordesc_np: English, and safe on the library's worker threads.
    const char* english = strerrordesc_np(error);
    return QStringLiteral("systémová chyba %1 (%2)")
        .arg(QString::number(error), english ? QString::fromUtf8(english) : QString());
}

} // namespace systemerror
