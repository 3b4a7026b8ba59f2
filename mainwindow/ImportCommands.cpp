#include "mainwindow/ImportCommands.h"

#include "core/Prompts.h"
#include "import/CsvImport.h"
#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"

ImportCommands::ImportCommands(TForm1& form1) : QObject(&form1), form1_(form1) {
    form1_.Bind(form1_.Importovatzcsv1, [this] { Importovatzcsv1Click(); });
}

void ImportCommands::Importovatzcsv1Click() {
    Prompts& prompts = form1_.Dialogs();
    const QString path = prompts.openFile(CsvImportDialogTitle(), CsvImportFilters());
    if (path.isEmpty())
        return;
    const AppState& state = form1_.State();
    const CardImportTarget target{state.libraryPath(), state.CardDir, state.historyDir()};
    ImportCsvFile(path, target, prompts, &form1_, [this] { form1_.List->Update(); });
}
