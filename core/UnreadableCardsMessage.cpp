#include "core/UnreadableCardsMessage.h"

namespace {

// Beyond this many names the box would outgrow the screen.
constexpr int NamesShown = 20;

} // namespace

namespace unreadablecards {

QString unreadableCardsMessage(const QStringList& entries) {
    return unreadablecards::unreadableCardsMessage(entries,
                                                   QStringLiteral("Hledání ho přeskočilo."),
                                                   QStringLiteral("Hledání je přeskočilo:"));
}

QString unreadableCardsMessage(const QStringList& entries, const QString& fateOfOne,
                               const QString& fateOfMany) {
    if (entries.size() == 1)
        return QStringLiteral("Soubor karty %1 nelze přečíst (je poškozený, není to archiv karty, "
                              "nebo zmizel). ")
                   .arg(entries.first()) +
               fateOfOne;
    QString text = QStringLiteral("Tyto soubory karet nelze přečíst (jsou poškozené, nejsou to "
                                  "archivy karet, nebo zmizely). ") +
                   fateOfMany;
    for (const QString& entry : entries.mid(0, NamesShown))
        text += u'\n' + entry;
    if (entries.size() > NamesShown)
        text += QStringLiteral("\n…\nCelkem nečitelných souborů: %1").arg(entries.size());
    return text;
}

} // namespace unreadablecards
