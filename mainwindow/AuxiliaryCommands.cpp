#include "mainwindow/AuxiliaryCommands.h"

#include "mainwindow/TAboutForm.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/UpdateCheck.h"
#include "storage/AppState.h"
#include "widgets/LinkLabel.h"
#include "widgets/WebLinks.h"

#include <QAction>

AuxiliaryCommands::AuxiliaryCommands(TForm1& form, AppState& state, Prompts& prompts,
                                     TAboutForm& aboutForm)
    : state_(state), prompts_(prompts), aboutForm_(aboutForm) {
    form.Bind(form.About1, [this] { About1Click(); });
    form.Bind(form.Internetovstrnky1, [this] { Label5Click(); });
    form.Bind(form.Npovda1, [this] { Npovda1Click(); });
    form.Bind(form.Zkontrolovataktualizace1, [this] { Zkontrolovataktualizace1Click(); });
    QObject::connect(form.Label8, &LinkLabel::clicked, &form, [this] { Label8Click(); });
}

void AuxiliaryCommands::About1Click() {
    aboutForm_.exec();
}

void AuxiliaryCommands::Label5Click() {
    weblinks::OpenHomePage();
}

void AuxiliaryCommands::Label8Click() {
    weblinks::OpenSupportPage();
}

void AuxiliaryCommands::Npovda1Click() {
    weblinks::OpenHelp();
}

void AuxiliaryCommands::Zkontrolovataktualizace1Click() {
    CheckForUpdates(state_.programDir, prompts_);
}
