#pragma once

#include "storage/AppError.h"

namespace printererrors {

// The errors of a print job, named after the printer.
inline AppError printJobCannotBegin(const QString& printerName) {
    return AppError(QStringLiteral("Tisk nelze zahájit na tiskárně \"%1\".").arg(printerName));
}

inline AppError printJobFailed(const QString& printerName) {
    return AppError(QStringLiteral("Tiskárna \"%1\" ohlásila chybu.").arg(printerName));
}

} // namespace printererrors
