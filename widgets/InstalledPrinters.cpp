#include "widgets/InstalledPrinters.h"

#include <QPrinterInfo>

namespace {

std::function<QStringList()>& namesSource() {
    static std::function<QStringList()> source;
    return source;
}

} // namespace

namespace installedprinters {

QStringList installedPrinterNames() {
    if (namesSource())
        return namesSource()();
    return QPrinterInfo::availablePrinterNames();
}

QString defaultPrinterName() {
    const QStringList names = installedprinters::installedPrinterNames();
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    if (names.contains(systemDefault))
        return systemDefault;
    return names.value(0);
}

void setInstalledPrinterNamesSource(std::function<QStringList()> source) {
    namesSource() = std::move(source);
}

} // namespace installedprinters
