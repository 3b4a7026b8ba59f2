#include "widgets/PrinterSetUp.h"

#include "core/Prompts.h"
#include "widgets/InstalledPrinters.h"

namespace printersetup {

void runPrinterSetUp(Prompts& prompts, QPrinter& printer) {
    if (installedprinters::installedPrinterNames().isEmpty()) {
        prompts.message(QStringLiteral("Nenalezena žádná tiskárna!"));
        return;
    }
    prompts.setUpPrinter(printer);
}

} // namespace printersetup
