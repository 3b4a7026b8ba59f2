#include "mainwindow/TDelForm.h"

#include "mainwindow/CardFileHost.h"
#include "mainwindow/DialogLook.h"
#include "mainwindow/Prompts.h"
#include "storage/AppState.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

TDelForm::TDelForm(CardFileHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("Odstranit ?"), QSize(254, 93));

    Label7 = new QLabel(QStringLiteral("Opravdu chcete odstranit:"), this);
    QFont labelFont = Label7->font();
    labelFont.setBold(true);
    labelFont.setPixelSize(14);
    Label7->setFont(labelFont);
    Label7->setWordWrap(true);
    Label7->setGeometry(10, 8, 236, 20);

    Label1 = new QLabel(this);
    Label1->setGeometry(10, 31, 236, 20);

    SpeedButton3 = dialoglook::makeButton(*this, QStringLiteral("Ano"), QStyle::SP_DialogYesButton,
                                          QRect(76, 58, 82, 27));
    SpeedButton1 = dialoglook::makeButton(*this, QStringLiteral("Ne"), QStyle::SP_DialogNoButton,
                                          QRect(164, 58, 82, 27));
    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::reject);
    connect(SpeedButton3, &QToolButton::clicked, this, &TDelForm::DeleteCardFile);
}

void TDelForm::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

void TDelForm::showForCurrentCard() {
    if (QFileInfo(host_.appState().CurrentCardPath).fileName().isEmpty())
        return;
    exec();
}

void TDelForm::DeleteCardFile() {
    host_.runCommand([this] { deleteCardFile(); });
}

void TDelForm::deleteCardFile() {
    AppState& state = host_.appState();
    const QString path = state.CurrentCardPath;
    if (!QFileInfo::exists(path)) {
        host_.prompts().message(QStringLiteral("Chyba: soubor \"%1\" neexistuje.").arg(path));
        return;
    }
    QFile::remove(path);
    host_.ReReadCardList();
    state.CardLoaded = false;
    host_.UpdateWindowState();
    accept();
    if (QFileInfo::exists(path))
        host_.prompts().message(QStringLiteral("Chyba: soubor \"%1\" stále existuje.").arg(path));
}

void TDelForm::showEvent(QShowEvent* event) {
    showFileName(QFileInfo(host_.appState().CurrentCardPath).fileName());
    QDialog::showEvent(event);
}

// A long name is shortened in the middle so that its end, with ".krt", stays
// readable; the whole name is in the tool tip.
void TDelForm::showFileName(const QString& name) {
    fileName_ = name;
    Label1->setText(Label1->fontMetrics().elidedText(name, Qt::ElideMiddle, Label1->width()));
    Label1->setToolTip(name);
}

void TDelForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DeleteCardFile();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}
