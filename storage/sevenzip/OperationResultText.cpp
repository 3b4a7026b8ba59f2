#include "storage/sevenzip/OperationResultText.h"

#include <QStringList>
#include <iterator>

namespace sevenzip {

QString operationResultText(qint32 result, const QString& itemPath) {
    switch (result) {
    case 1:
        return QStringLiteral("položka %1 je zkomprimována nepodporovanou metodou").arg(itemPath);
    case 2:
        return QStringLiteral("chyba dat v položce %1").arg(itemPath);
    case 3:
        return QStringLiteral("chyba CRC v položce %1").arg(itemPath);
    case 4:
        return QStringLiteral("data položky %1 nejsou k dispozici").arg(itemPath);
    case 5:
        return QStringLiteral("neočekávaný konec dat v položce %1").arg(itemPath);
    case 6:
        return QStringLiteral("za koncem položky %1 jsou další data").arg(itemPath);
    case 7:
        return QStringLiteral("položka %1 není archiv").arg(itemPath);
    case 8:
        return QStringLiteral("chyba hlaviček v položce %1").arg(itemPath);
    case 9:
        return QStringLiteral("položka %1 je zašifrována (chybí heslo nebo je chybné)")
            .arg(itemPath);
    default:
        return QStringLiteral("chyba %1 při rozbalování položky %2")
            .arg(QString::number(result), itemPath);
    }
}

QString archiveErrorFlagsText(quint32 flags) {
    static const char* const names[] = {
        "není to archiv",
        "chyba hlaviček",
        "chyba šifrovaných hlaviček",
        "nedostupný začátek",
        "nepotvrzený začátek",
        "neočekávaný konec archivu",
        "data za koncem archivu",
        "nepodporovaná metoda",
        "nepodporovaná funkce",
        "chyba dat",
        "chyba CRC",
    };
    if (flags == 0)
        return {};
    QStringList found;
    for (std::size_t bit = 0; bit < std::size(names); ++bit) {
        if (flags & (1u << bit))
            found << QString::fromUtf8(names[bit]);
    }
    if (found.isEmpty())
        found << QString::asprintf("příznaky chyb 0x%X", flags);
    return QStringLiteral("archiv je poškozený (%1)").arg(found.join(QStringLiteral(", ")));
}

} // namespace sevenzip
