#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The rules a new card name must pass before a card file is made or renamed,
// with the messages that refuse a name. How a card's file and members are named
// from its name is storage/CardFileNames (cardfile::), below this layer.
namespace cardnames {

// Characters no card name may hold (they cannot be part of a file name on every
// system the card files travel to), in the order the message lists them.
inline constexpr QStringView kForbiddenCharacters = u"/*\\:\"<>?|";

QString forbiddenCharacterMessage();
QString emptyNameMessage();
// A card file whose name starts with a dot is hidden on Linux and so never shows
// in the card list: such a name would make a card the user cannot reach.
QString leadingDotMessage();
// The new card file's name is taken ("Soubor: ..." for a new card file).
QString existsMessage(const QString& name);
// The new name of a renamed card is taken ("Soubor ..." for a rename).
QString renameExistsMessage(const QString& name);

bool hasForbiddenCharacter(const QString& name);
// The message that refuses name as a card name, or an empty string when it may
// be one. Characters are tested first, then emptiness, then a leading dot.
QString nameProblem(const QString& name);

// The message that refuses newName as the open card's new name, or an empty
// string. A name the card list already shows (its letter case aside) is refused
// first, so that an unchanged name, the open card's own, gets the "exists"
// message; then the same tests as for a new card file, so that a rename never
// makes a name that would hide the card file.
QString renameProblem(const QString& newName, const QStringList& cardListEntries);

// Whether cardDir holds the card file of name, looked up without regard to letter case.
bool cardFileExists(const QString& cardDir, const QString& name);

} // namespace cardnames
