#include "mainwindow/TForm1.h"

#include "core/OpenCard.h"
#include "core/WindowTitle.h"
#include "mainwindow/CardList.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/PictureBox.h"
#include "storage/AppState.h"
#include "widgets/LinkLabel.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>

void TForm1::UpdateWindowState() {
    const bool open = card_ && card_->CardLoaded();
    for (QWidget* editor : {static_cast<QWidget*>(Image1), Panel7, static_cast<QWidget*>(ListB),
                            static_cast<QWidget*>(Memo1)})
        editor->setVisible(open);
    // The welcome area shows where the editor is hidden.
    for (QLabel* label : {Label1, Label2, Label3, Label4, static_cast<QLabel*>(Label5), Label6,
                          Label7, static_cast<QLabel*>(Label9), static_cast<QLabel*>(Label10)})
        label->setVisible(!open);

    Edit1->setEnabled(open);
    Edit1->menuAction()->setEnabled(open);
    for (QAction* item : Edit1->actions())
        item->setEnabled(open);
    for (QAction* action : {Save1, Pejmenovat1, Delete1, Selecteditem1, Kartadopdf1})
        action->setEnabled(open);
    for (QWidget* control :
         {Panel3, static_cast<QWidget*>(SpeedButton1), static_cast<QWidget*>(SpeedButton2),
          static_cast<QWidget*>(SpeedButton3), static_cast<QWidget*>(SpeedButton6),
          static_cast<QWidget*>(SpeedButton11), static_cast<QWidget*>(SpeedButton12)})
        control->setEnabled(open);
    if (!open)
        setWindowTitle(ApplicationTitle());
}

void TForm1::ListChange() {
    List->setToolTip(QStringLiteral("Celkem ") + QString::number(List->Count()) +
                     QStringLiteral(" záznamů."));
}
