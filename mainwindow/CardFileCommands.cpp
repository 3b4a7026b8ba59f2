#include "mainwindow/CardFileCommands.h"

#include "mainwindow/CardList.h"
#include "mainwindow/CardNameRules.h"
#include "mainwindow/Prompts.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "storage/CardRename.h"
#include "storage/FileNames.h"

#include <QAction>
#include <QFileInfo>

CardFileCommands::CardFileCommands(TForm1& form, AppState& state, Prompts& prompts,
                                   TAddForm& addForm, TDelForm& delForm)
    : form_(form), state_(state), prompts_(prompts), addForm_(addForm), delForm_(delForm) {
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
    if (!state_.CardLoaded)
        return;
    const QString oldName = state_.CurrentCardName;
    const QString oldPath = state_.CurrentCardPath;
    const QString newName = prompts_.input(QStringLiteral("Přejmenovat"),
                                           QStringLiteral("Prosím napište nový název"), oldName);
    if (const QString problem = RenameProblem(newName); !problem.isEmpty()) {
        prompts_.message(problem);
        return;
    }

    const QString newPath = state_.CardDir + cardnames::cardFileName(newName);
    if (!RenameCardFiles(state_.WorkDir, oldName, newName, oldPath)) {
        // The save is not run here: it would have no card file to write to. The
        // card stays open under its old name, so its changes can still be saved.
        KeepOldName(oldName, oldPath, newName, false);
        prompts_.message(QStringLiteral("(S) Soubor nenalezen - ") + newPath);
        return;
    }
    state_.CurrentCardPath = newPath;
    state_.CurrentCardName = newName;
    try {
        form_.SpeedButton3Click();
    } catch (...) {
        KeepOldName(oldName, oldPath, newName, true);
        throw;
    }

    form_.List->Update();
    form_.List->SetItemIndex(form_.List->IndexOf(cardnames::cardFileName(newName)));
    form_.ListDblClick();
}

QString CardFileCommands::RenameProblem(const QString& newName) const {
    if (const QString problem = cardnames::renameProblem(newName, form_.List->Items());
        !problem.isEmpty())
        return problem;
    // A card file that came after the list was read must not be replaced either.
    if (cardnames::cardFileExists(state_.CardDir, newName))
        return cardnames::renameExistsMessage(newName);
    return {};
}

void CardFileCommands::KeepOldName(const QString& oldName, const QString& oldPath,
                                   const QString& newName, bool cardFileMoved) {
    if (cardFileMoved) {
        const QFileInfo old(oldPath);
        // Should the card file not move back, it is still whole under the new
        // name: the open card and the list follow it there.
        if (!filenames::rename(old.path(), cardnames::cardFileName(newName), old.fileName(),
                               false)) {
            form_.List->Update();
            return;
        }
    }
    // A member the rename could not move is still under the old name and is
    // not replaced.
    RenameCardMembers(state_.WorkDir, newName, oldName, false);
    state_.CurrentCardPath = oldPath;
    state_.CurrentCardName = oldName;
}
