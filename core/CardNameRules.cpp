#include "core/CardNameRules.h"

#include "storage/CardFileNames.h"
#include "storage/FileNames.h"

namespace cardnames {

QString forbiddenCharacterMessage() {
    // Each character followed by a blank, two blanks before the question mark.
    return QStringLiteral("Název nesmí obsahovat / * \\ : \" < >  ? | ");
}

QString emptyNameMessage() {
    return QStringLiteral("Zadejte název souboru!");
}

QString leadingDotMessage() {
    return QStringLiteral("Název nesmí začínat tečkou!");
}

QString existsMessage(const QString& name) {
    return QStringLiteral("Soubor: \"%1\" již existuje!").arg(name);
}

QString renameExistsMessage(const QString& name) {
    return QStringLiteral("Soubor \"%1\" již existuje!").arg(name);
}

bool hasForbiddenCharacter(const QString& name) {
    for (const QChar character : kForbiddenCharacters) {
        if (name.contains(character))
            return true;
    }
    return false;
}

QString nameProblem(const QString& name) {
    if (hasForbiddenCharacter(name))
        return forbiddenCharacterMessage();
    if (name.isEmpty())
        return emptyNameMessage();
    if (name.startsWith(u'.'))
        return leadingDotMessage();
    return {};
}

QString renameProblem(const QString& newName, const QStringList& cardListEntries) {
    if (cardListEntries.contains(cardfile::fileNameOf(newName), Qt::CaseInsensitive))
        return renameExistsMessage(newName);
    return nameProblem(newName);
}

bool cardFileExists(const QString& cardDir, const QString& name) {
    return filenames::exists(cardDir, cardfile::fileNameOf(name));
}

} // namespace cardnames
