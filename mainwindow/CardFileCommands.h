#pragma once

class TAddForm;
class TDelForm;
class TForm1;

// The commands on whole card files: a new card file, deleting the open card's
// file and giving the open card a new name. Binds them to the main window's
// actions; the buttons and links that do the same forward to those actions.
class CardFileCommands {
public:
    CardFileCommands(TForm1& form, TAddForm& addForm, TDelForm& delForm);

    // Shows the new-card-file dialog.
    void Add1Click();
    // Asks before the open card's file is deleted.
    void Delete1Click();
    // Gives the open card a new name (OpenCard::Rename).
    void Pejmenovat1Click();

private:
    TForm1& form_;
    TAddForm& addForm_;
    TDelForm& delForm_;
};
