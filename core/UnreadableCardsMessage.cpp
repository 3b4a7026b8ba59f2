#include "core/UnreadableCardsMessage.h"

namespace {

// Beyond this many names the box would outgrow the screen.
constexpr int NamesShown = 20;

} // namespace

QString UnreadableCardsMessage(const QStringList& entries) {
    if (entries.size() == 1)
        return QStringLiteral("Soubor karty %1 nelze přečíst (je poškozený, není to archiv karty, "
                              "nebo zmizel). Hledání ho přeskočilo.")
            .arg(entries.first());
    QString text = QStringLiteral("Tyto soubory karet nelze přečíst (jsou poškozené, nejsou to "
                                  "archivy karet, nebo zmizely). Hledání je přeskočilo:");
    for (const QString& entry : entries.mid(0, NamesShown))
        text += u'\n' + entry;
    if (entries.size() > NamesShown)
        text += QStringLiteral("\n…\nCelkem nečitelných souborů: %1").arg(entries.size());
    return text;
}
