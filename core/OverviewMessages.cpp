#include "core/OverviewMessages.h"

#include "core/UnreadableCardsMessage.h"

namespace overviewmessages {

QString overviewUnreadableMessage(const QStringList& entries) {
    return unreadablecards::unreadableCardsMessage(
        entries, QStringLiteral("Přehled ho ukazuje bez tabulky."),
        QStringLiteral("Přehled je ukazuje bez tabulky:"));
}

} // namespace overviewmessages
