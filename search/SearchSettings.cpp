#include "search/SearchSettings.h"

#include "storage/AppError.h"

#include <QSettings>

namespace {

const QString kWithoutAccents = QStringLiteral("Hledani/BezDiakritiky");

} // namespace

namespace searchsettings {

QString filePath(const QString& programDir) {
    return programDir + QStringLiteral("search.ini");
}

bool withoutAccents(const QString& programDir) {
    const QSettings file(filePath(programDir), QSettings::IniFormat);
    return file.value(kWithoutAccents, false).toBool();
}

void setWithoutAccents(const QString& programDir, bool on) {
    QSettings file(filePath(programDir), QSettings::IniFormat);
    file.setValue(kWithoutAccents, on);
    file.sync();
    if (file.status() != QSettings::NoError)
        throw AppError(QStringLiteral("Nastavení hledání nelze uložit do souboru %1")
                           .arg(filePath(programDir)));
}

} // namespace searchsettings
