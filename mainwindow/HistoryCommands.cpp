#include "mainwindow/HistoryCommands.h"

#include "core/OpenCard.h"
#include "history/THistoryForm.h"
#include "mainwindow/TForm1.h"

HistoryCommands::HistoryCommands(TForm1& form1, THistoryForm& historyForm)
    : QObject(&form1), form1_(form1), historyForm_(historyForm) {
    form1_.Bind(form1_.Historiekarty1, [this] { Historiekarty1Click(); });
}

void HistoryCommands::Historiekarty1Click() {
    if (!form1_.Card().CardLoaded())
        return;
    historyForm_.showForOpenCard(form1_.titleCaptions());
}
