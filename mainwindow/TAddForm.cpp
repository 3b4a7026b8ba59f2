#include "mainwindow/TAddForm.h"

#include "mainwindow/CardFileHost.h"
#include "mainwindow/CardNameRules.h"
#include "mainwindow/DialogLook.h"
#include "mainwindow/Prompts.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TAddForm::TAddForm(CardFileHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("Nový soubor"), QSize(256, 80));

    Label7 = new QLabel(QStringLiteral("Jméno:"), this);
    QFont labelFont = Label7->font();
    labelFont.setBold(true);
    labelFont.setPixelSize(16);
    Label7->setFont(labelFont);
    Label7->setGeometry(10, 12, 64, 24);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(77, 12, 169, 24);

    SpeedButton3 = dialoglook::makeButton(*this, QStringLiteral("Zrušit"),
                                          QStyle::SP_DialogCancelButton, QRect(77, 45, 82, 27));
    SpeedButton2 = dialoglook::makeButton(*this, QStringLiteral("Přidat"),
                                          QStyle::SP_DialogOkButton, QRect(164, 45, 82, 27));
    connect(SpeedButton3, &QToolButton::clicked, this, &QDialog::reject);
    connect(SpeedButton2, &QToolButton::clicked, this, &TAddForm::CreateCardFile);
}

void TAddForm::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

void TAddForm::CreateCardFile() {
    host_.runCommand([this] { createCardFile(); });
}

void TAddForm::createCardFile() {
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
    CreateEmptyCardFile(state.libraryPath(), state.CardDir + cardnames::cardFileName(name));
    host_.ReReadCardList();
    accept();
}

void TAddForm::showEvent(QShowEvent* event) {
    Edit1->clear();
    Edit1->setFocus();
    QDialog::showEvent(event);
}

void TAddForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CreateCardFile();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}
