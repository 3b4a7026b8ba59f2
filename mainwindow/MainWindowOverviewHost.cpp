#include "mainwindow/MainWindowOverviewHost.h"

#include "core/CardFolderModel.h"
#include "core/OpenCard.h"
#include "mainwindow/CardList.h"
#include "mainwindow/TForm1.h"
#include "overview/OverviewWindow.h"
#include "widgets/CommandGuard.h"

#include <QFileInfo>

MainWindowOverviewHost::MainWindowOverviewHost(TForm1& form1)
    : OverviewHost(&form1), form1_(form1) {
    connect(&form1_.List->Cards(), &CardFolderModel::cardsChanged, this,
            [this](const CardFolderChange& change) {
                emit cardListChanged(change.added + change.replaced);
            });
    form1_.Card().setSavedListener(
        [this](const QString& cardPath) { emit cardFileChanged(QFileInfo(cardPath).fileName()); });
}

QStringList MainWindowOverviewHost::cardEntries() const {
    return form1_.List->Items();
}

void MainWindowOverviewHost::openCard(const QString& fileName) {
    const int row = form1_.List->IndexOf(fileName);
    if (row < 0)
        return;
    form1_.List->SetItemIndex(row);
    // The same open as a double-click on the list: it saves or asks about the
    // open card's changes first.
    RunGuarded(form1_.Dialogs(), [this] { form1_.ListDblClick(); });
}

void MainWindowOverviewHost::bringToFront() {
    if (form1_.isMinimized())
        form1_.showNormal();
    form1_.raise();
    form1_.activateWindow();
}

AppState& MainWindowOverviewHost::appState() {
    return form1_.State();
}

OverviewCommands::OverviewCommands(TForm1& form1, Prompts& prompts)
    : QObject(&form1), form1_(form1) {
    auto* host = new MainWindowOverviewHost(form1_);
    auto* window = new OverviewWindow(*host, prompts, &form1_);
    window->setObjectName(QStringLiteral("OverviewForm"));
    form1_.Bind(form1_.Prehledkaret1, [window] { window->showOverview(); });
}
