#include "mainwindow/TDelForm.h"

#include "core/OpenCard.h"
#include "mainwindow/CardFileDialog.h"

#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

TDelForm::TDelForm(CardFileHost& host, QWidget* parent)
    : CardFileDialog(host, QStringLiteral("Odstranit ?"), QSize(254, 93), parent) {

    Label7 = new QLabel(QStringLiteral("Opravdu chcete odstranit:"), this);
    QFont labelFont = Label7->font();
    labelFont.setBold(true);
    labelFont.setPixelSize(14);
    Label7->setFont(labelFont);
    Label7->setWordWrap(true);
    Label7->setGeometry(10, 8, 236, 20);

    Label1 = new QLabel(this);
    Label1->setGeometry(10, 31, 236, 20);

    SpeedButton3 =
        addConfirmButton(QStringLiteral("Ano"), QStyle::SP_DialogYesButton, QRect(76, 58, 82, 27));
    SpeedButton1 =
        addCancelButton(QStringLiteral("Ne"), QStyle::SP_DialogNoButton, QRect(164, 58, 82, 27));
}

void TDelForm::showForCurrentCard() {
    if (QFileInfo(host_.openCard().CurrentCardPath()).fileName().isEmpty())
        return;
    exec();
}

void TDelForm::confirmed() {
    OpenCard& card = host_.openCard();
    if (!card.DeleteCardFile())
        return;
    accept();
    card.reportUndeletedCardFile();
}

void TDelForm::showEvent(QShowEvent* event) {
    showFileName(QFileInfo(host_.openCard().CurrentCardPath()).fileName());
    QDialog::showEvent(event);
}

// A long name is shortened in the middle so that its end, with ".krt", stays
// readable; the whole name is in the tool tip.
void TDelForm::showFileName(const QString& name) {
    fileName_ = name;
    Label1->setText(Label1->fontMetrics().elidedText(name, Qt::ElideMiddle, Label1->width()));
    Label1->setToolTip(name);
}
