#include "widgets/PrinterSetUp.h"

#include "core/Prompts.h"
#include "widgets/InstalledPrinters.h"

void RunPrinterSetUp(Prompts& prompts, QPrinter& printer) {
    if (InstalledPrinterNames().isEmpty()) {
        prompts.message(QStringLiteral("Nenalezena žádná tiskárna!"));
        return;
    }
    prompts.setUpPrinter(printer);
}
