#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace installedprinters {

// The names of the installed printers, in the platform's order.
QStringList installedPrinterNames();

// The system's default printer; the first installed one when no default is
// set; empty when there is no printer.
QString defaultPrinterName();

// Replaces the platform's list of installed printers, so that tests can pretend
// that none is installed; an empty function brings the platform's list back.
void setInstalledPrinterNamesSource(std::function<QStringList()> source);

} // namespace installedprinters
