#include "mainwindow/SettingsCommands.h"

#include "mainwindow/TForm1.h"
#include "settings/TSetForm.h"

SettingsCommands::SettingsCommands(TForm1& form1, TSetForm& setForm)
    : QObject(&form1), form1_(form1), setForm_(setForm) {
    form1_.Bind(form1_.Language1, [this] { Language1Click(); });
}

void SettingsCommands::Language1Click() {
    // Centred over the main window at every opening, wherever either was moved.
    setForm_.setAttribute(Qt::WA_Moved, false);
    setForm_.exec();
}
