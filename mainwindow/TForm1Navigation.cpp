#include "mainwindow/TForm1.h"

#include "core/OpenCard.h"

#include "core/Prompts.h"
#include "core/TextLineReader.h"
#include "mainwindow/CardList.h"
#include "storage/AppState.h"

#include <QAction>

void TForm1::SpeedButton9Click() {
    const int index = List->ItemIndex();
    const int count = List->Count();
    if (count == 0 || index == count - 1)
        return;
    List->SetItemIndex(index + 1);
    ListDblClick();
}

void TForm1::SpeedButton8Click() {
    const int index = List->ItemIndex();
    if (index <= 0)
        return;
    List->SetItemIndex(index - 1);
    ListDblClick();
}

void TForm1::Pejtnaprvn1Click() {
    if (List->Count() == 0)
        return;
    List->SetItemIndex(0);
    ListDblClick();
}

void TForm1::Pejtnaposledn1Click() {
    if (List->Count() == 0)
        return;
    List->SetItemIndex(List->Count() - 1);
    ListDblClick();
}

void TForm1::Pejtnakartu1Click() {
    // A text that is no number, and an error of the open itself, end this
    // command without a message; a failed save of the card being left is shown
    // and stops it like every other save.
    try {
        const QString text =
            prompts_.input(QStringLiteral("Přejít na kartu číslo:"),
                           QStringLiteral("Maximálně: ") + QString::number(List->Count()),
                           QString::number(List->ItemIndex() + 1));
        const qint64 index = qint64(StrToInt(text)) - 1;
        List->SetItemIndex(index < 0 ? -1 : int(index));
    } catch (...) {
        return;
    }
    const QString chosen = List->FileName();
    if (chosen.trimmed().isEmpty())
        return;
    card_->LeaveCard();
    try {
        card_->Load(chosen);
    } catch (...) {
    }
}

void TForm1::ListKeyUp(int key) {
    if (key == Qt::Key_Delete && card_->CardLoaded())
        Delete1->trigger();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && List->ItemIndex() >= 0)
        ListDblClick();
}
