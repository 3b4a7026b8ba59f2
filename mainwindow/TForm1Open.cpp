#include "mainwindow/TForm1.h"

#include "core/OpenCard.h"
#include "core/WindowTitle.h"
#include "mainwindow/CardList.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Resources.h"
#include "storage/CardFileNames.h"

void TForm1::ListDblClick() {
    card_->OpenSelected();
}

void TForm1::SpeedButton3Click() {
    card_->Save();
}

void TForm1::ShowPictureFile(const QString& path) {
    // A picture member that is not a readable bitmap stays in the working
    // directory (and in the card file), only NSELECT shows for it.
    if (path.isEmpty() || !Image1->LoadBitmapFile(path))
        ShowNoPicture();
    else
        Image1->setAccessibleDescription(QStringLiteral("Karta má obrázek."));
}

void TForm1::ShowNoPicture() {
    Image1->SetPicture(resources::NselectBitmap());
    Image1->setAccessibleDescription(QStringLiteral("Karta nemá obrázek."));
}

void TForm1::ShowCardTitle(const QString& cardName) {
    const int number = List->IndexOf(cardfile::fileNameOf(cardName)) + 1;
    setWindowTitle(CardWindowTitle(number, cardName));
}
