#include "core/OverviewMessages.h"

namespace {

// Beyond this many names the box would outgrow the screen.
constexpr int NamesShown = 20;

} // namespace

QString OverviewUnreadableMessage(const QStringList& entries) {
    if (entries.size() == 1)
        return QStringLiteral("Soubor karty %1 nelze přečíst (je poškozený, není to archiv karty, "
                              "nebo zmizel). Přehled ho ukazuje bez tabulky.")
            .arg(entries.first());
    QString text = QStringLiteral("Tyto soubory karet nelze přečíst (jsou poškozené, nejsou to "
                                  "archivy karet, nebo zmizely). Přehled je ukazuje bez tabulky:");
    for (const QString& entry : entries.mid(0, NamesShown))
        text += u'\n' + entry;
    if (entries.size() > NamesShown)
        text += QStringLiteral("\n…\nCelkem nečitelných souborů: %1").arg(entries.size());
    return text;
}
