#include "widgets/InstalledPrinters.h"

#include <QPrinterInfo>

namespace {

std::function<QStringList()>& namesSource() {
    static std::function<QStringList()> source;
    return source;
}

} // namespace

QStringList InstalledPrinterNames() {
    if (namesSource())
        return namesSource()();
    return QPrinterInfo::availablePrinterNames();
}

QString DefaultPrinterName() {
    const QStringList names = InstalledPrinterNames();
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    if (names.contains(systemDefault))
        return systemDefault;
    return names.value(0);
}

void SetInstalledPrinterNamesSource(std::function<QStringList()> source) {
    namesSource() = std::move(source);
}
