#pragma once

#include "storage/AppError.h"

// The errors of a print job, named after the printer.
inline AppError PrintJobCannotBegin(const QString& printerName) {
    return AppError(QStringLiteral("Tisk nelze zahájit na tiskárně \"%1\".").arg(printerName));
}

inline AppError PrintJobFailed(const QString& printerName) {
    return AppError(QStringLiteral("Tiskárna \"%1\" ohlásila chybu.").arg(printerName));
}
