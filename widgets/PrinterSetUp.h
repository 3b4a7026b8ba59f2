#pragma once

class Prompts;
class QPrinter;

namespace printersetup {

// "Nastavení tisku" and the settings dialog's printer button: the printer
// set-up dialog for printer, or a message when no printer is installed.
void runPrinterSetUp(Prompts& prompts, QPrinter& printer);

} // namespace printersetup
