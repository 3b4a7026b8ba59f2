#include "core/CsvRecord.h"

#include <algorithm>

namespace {

QString quotedWhenNeeded(QString field) {
    static const QString special = QStringLiteral(",\"\r\n");
    const bool needsQuotes =
        std::any_of(field.cbegin(), field.cend(), [](QChar c) { return special.contains(c); });
    if (!needsQuotes)
        return field;
    field.replace(u'"', QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

} // namespace

namespace csvrecord {

QString csvRecord(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted << quotedWhenNeeded(field);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

} // namespace csvrecord
