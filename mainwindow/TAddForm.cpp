#include "mainwindow/TAddForm.h"

#include "core/CardNameRules.h"
#include "core/Prompts.h"
#include "mainwindow/CardFileDialog.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "storage/CardHistory.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TAddForm::TAddForm(CardFileHost& host, QWidget* parent)
    : CardFileDialog(host, QStringLiteral("Nový soubor"), QSize(256, 80), parent) {

    Label7 = new QLabel(QStringLiteral("Jméno:"), this);
    QFont labelFont = Label7->font();
    labelFont.setBold(true);
    labelFont.setPixelSize(16);
    Label7->setFont(labelFont);
    Label7->setGeometry(10, 12, 64, 24);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(77, 12, 169, 24);
    Label7->setBuddy(Edit1);
    Edit1->setAccessibleName(QStringLiteral("Jméno nového souboru"));

    SpeedButton3 = addCancelButton(QStringLiteral("Zrušit"), QStyle::SP_DialogCancelButton,
                                   QRect(77, 45, 82, 27));
    SpeedButton2 = addConfirmButton(QStringLiteral("Přidat"), QStyle::SP_DialogOkButton,
                                    QRect(164, 45, 82, 27));
}

void TAddForm::confirmed() {
    const AppState& state = host_.appState();
    const QString name = Edit1->text();
    if (const QString problem = cardnames::nameProblem(name); !problem.isEmpty()) {
        host_.prompts().message(problem);
        return;
    }
    if (cardnames::cardFileExists(state.CardDir, name)) {
        host_.prompts().message(cardnames::existsMessage(name));
        return;
    }
    const QString fileName = cardfile::fileNameOf(name);
    // Versions left by a deleted card of that name are not the new card's.
    if (!cardhistory::setAside(state.historyDir(), fileName))
        throw AppError(QStringLiteral("Historii dřívější karty nelze odložit: ") +
                       cardhistory::folderOf(state.historyDir(), fileName));
    cardarchive::createEmptyCardFile(state.libraryPath(), state.CardDir + fileName);
    host_.reReadCardList();
    accept();
}

void TAddForm::showEvent(QShowEvent* event) {
    Edit1->clear();
    Edit1->setFocus();
    QDialog::showEvent(event);
}
