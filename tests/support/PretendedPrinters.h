#pragma once

#include "widgets/InstalledPrinters.h"

#include <QStringList>

// Makes the program see exactly these installed printers, so that tests run
// alike on machines with and without printers; nothing is ever printed on them.
inline void pretendPrinters(const QStringList& names) {
    installedprinters::setInstalledPrinterNamesSource([names] { return names; });
}

// Lets the program see the printers really installed again.
inline void stopPretendingPrinters() {
    installedprinters::setInstalledPrinterNamesSource({});
}
