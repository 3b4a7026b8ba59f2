#pragma once

#include <QString>

class Prompts;
class TAddForm;
class TDelForm;
class TForm1;
struct AppState;

// The commands on whole card files: a new card file, deleting the open card's
// file and giving the open card a new name. Binds them to the main window's
// actions; the buttons and links that do the same forward to those actions.
class CardFileCommands {
public:
    CardFileCommands(TForm1& form, AppState& state, Prompts& prompts, TAddForm& addForm,
                     TDelForm& delForm);

    // Shows the new-card-file dialog.
    void Add1Click();
    // Asks before the open card's file is deleted.
    void Delete1Click();
    // Gives the open card a new name: its members in the working directory and
    // its card file take the name, the card is saved under it and opened again.
    // A name the card list shows, or one a new card file could not have, is
    // refused before anything changes; a card file that cannot be moved, or a
    // save that fails, leaves the card file and the open card under the old name.
    void Pejmenovat1Click();

private:
    // The message that refuses newName, or an empty string.
    QString RenameProblem(const QString& newName) const;
    // Puts the members and, when moved already, the card file back under the
    // old name and makes it the open card's name again.
    void KeepOldName(const QString& oldName, const QString& oldPath, const QString& newName,
                     bool cardFileMoved);

    TForm1& form_;
    AppState& state_;
    Prompts& prompts_;
    TAddForm& addForm_;
    TDelForm& delForm_;
};
