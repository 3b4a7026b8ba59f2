#include "storage/sevenzip/OperationResultText.h"

#include <QStringList>
#include <iterator>

namespace sevenzip {

QString operationResultText(qint32 result, const QString& itemPath) {
    switch (result) {
    case 1:
        return QStringLiteral("Unsupported compression method in item %1").arg(itemPath);
    case 2:
        return QStringLiteral("Data error in item %1").arg(itemPath);
    case 3:
        return QStringLiteral("CRC error in item %1").arg(itemPath);
    case 4:
        return QStringLiteral("The data of item %1 are unavailable").arg(itemPath);
    case 5:
        return QStringLiteral("Unexpected end of data in item %1").arg(itemPath);
    case 6:
        return QStringLiteral("There are data after the end of item %1").arg(itemPath);
    case 7:
        return QStringLiteral("Item %1 is not an archive").arg(itemPath);
    case 8:
        return QStringLiteral("Headers error in item %1").arg(itemPath);
    case 9:
        return QStringLiteral("Item %1 is encrypted (missing or wrong password)").arg(itemPath);
    default:
        return QStringLiteral("Error %1 while unpacking item %2").arg(result).arg(itemPath);
    }
}

QString archiveErrorFlagsText(quint32 flags) {
    static const char* const names[] = {
        "not an archive",     "headers error",      "encrypted headers error",
        "unavailable start",  "unconfirmed start",  "unexpected end of archive",
        "data after the end", "unsupported method", "unsupported feature",
        "data error",         "CRC error",
    };
    if (flags == 0)
        return {};
    QStringList found;
    for (std::size_t bit = 0; bit < std::size(names); ++bit) {
        if (flags & (1u << bit))
            found << QString::fromLatin1(names[bit]);
    }
    if (found.isEmpty())
        found << QString::asprintf("error flags 0x%X", flags);
    return QStringLiteral("The archive is damaged (%1)").arg(found.join(QStringLiteral(", ")));
}

} // namespace sevenzip
