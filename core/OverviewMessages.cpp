#include "core/OverviewMessages.h"

#include "core/UnreadableCardsMessage.h"

QString OverviewUnreadableMessage(const QStringList& entries) {
    return UnreadableCardsMessage(entries, QStringLiteral("Přehled ho ukazuje bez tabulky."),
                                  QStringLiteral("Přehled je ukazuje bez tabulky:"));
}
