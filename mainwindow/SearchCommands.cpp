#include "mainwindow/SearchCommands.h"

#include "mainwindow/TForm1.h"

SearchCommands::SearchCommands(TForm1& form1, SearchHost& host, TFindForm& findForm,
                               Prompts& prompts)
    : quickSearch_(host, findForm, prompts) {
    form1.Bind(form1.Najtdal1, [this] { quickSearch_.FindNext(); });
    form1.Bind(form1.Vyhledvn1, [this] { quickSearch_.ShowAdvancedSearch(); });
}
