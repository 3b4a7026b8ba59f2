#include "mainwindow/CardFileCommands.h"

#include "core/OpenCard.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "mainwindow/TForm1.h"

#include <QAction>

CardFileCommands::CardFileCommands(TForm1& form, TAddForm& addForm, TDelForm& delForm)
    : form_(form), addForm_(addForm), delForm_(delForm) {
    form_.Bind(form_.Add1, [this] { Add1Click(); });
    form_.Bind(form_.Delete1, [this] { Delete1Click(); });
    form_.Bind(form_.Pejmenovat1, [this] { Pejmenovat1Click(); });
}

void CardFileCommands::Add1Click() {
    addForm_.exec();
}

void CardFileCommands::Delete1Click() {
    delForm_.showForCurrentCard();
}

void CardFileCommands::Pejmenovat1Click() {
    form_.Card().Rename();
}
