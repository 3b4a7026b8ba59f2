#include "print/PrinterSetUp.h"

#include "mainwindow/Prompts.h"
#include "print/InstalledPrinters.h"

void RunPrinterSetUp(Prompts& prompts, QPrinter& printer) {
    if (InstalledPrinterNames().isEmpty()) {
        prompts.message(QStringLiteral("Nenalezena žádná tiskárna!"));
        return;
    }
    prompts.setUpPrinter(printer);
}
