#pragma once

#include "search/QuickSearch.h"

class Prompts;
class SearchHost;
class TFindForm;
class TForm1;

// The search commands of the main window: "Najít další" (F3, the "Hledat"
// button and Enter or a double-click in `Edit2`) runs the quick search's find /
// find next, "Vyhledávání" (the ">>" button) shows the advanced-search dialog.
class SearchCommands {
public:
    SearchCommands(TForm1& form1, SearchHost& host, TFindForm& findForm, Prompts& prompts);

    QuickSearch& quickSearch() { return quickSearch_; }

private:
    QuickSearch quickSearch_;
};
