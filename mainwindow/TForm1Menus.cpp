#include "mainwindow/TForm1.h"

#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/PictureBox.h"
#include "widgets/CommandGuard.h"
#include "widgets/LinkLabel.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

QAction* TForm1::CreateAction(QMenu* menu, const QString& caption, const QKeySequence& shortcut) {
    auto* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    windowActions_.append(action);
    // Added to the window too, so that its shortcut acts wherever the focus is.
    addAction(action);
    return action;
}

// Every caption underlines one letter ('&'), unique within its menu: Alt and
// the letter of a menu open it from the keyboard, the letter of an item then
// chooses that item.
void TForm1::CreateMenus() {
    QMenuBar* bar = menuBar();

    Soubor1 = bar->addMenu(QStringLiteral("&Soubor"));
    Add1 = CreateAction(Soubor1, QStringLiteral("&Nový soubor"), Qt::Key_F7);
    Delete1 = CreateAction(Soubor1, QStringLiteral("&Odstranit soubor"), Qt::Key_F8);
    Save1 = CreateAction(Soubor1, QStringLiteral("&Uložit soubor"), Qt::Key_F2);
    Pejmenovat1 = CreateAction(Soubor1, QStringLiteral("&Přejmenovat"));
    Importovatzcsv1 = CreateAction(Soubor1, QStringLiteral("&Importovat z CSV…"));
    Soubor1->addSeparator();
    Konec1 = CreateAction(Soubor1, QStringLiteral("&Konec"), Qt::Key_F10);

    Edit1 = bar->addMenu(QStringLiteral("Úp&ravy"));
    Undo1 = CreateAction(Edit1, QStringLiteral("&Vrátit změny"), Qt::Key_F11);
    Historiekarty1 = CreateAction(Edit1, QStringLiteral("&Historie karty…"));
    Vyresitkonflikt1 = CreateAction(Edit1, QStringLiteral("Vyřešit &konflikt…"));
    Edit1->addSeparator();
    Addline1 =
        CreateAction(Edit1, QStringLiteral("&Přidat řádek"), QKeySequence(Qt::CTRL | Qt::Key_A));
    Deleteline1 =
        CreateAction(Edit1, QStringLiteral("Odstranit řá&dek"), QKeySequence(Qt::CTRL | Qt::Key_D));
    Edit1->addSeparator();
    Vybratobrzek1 = CreateAction(Edit1, QStringLiteral("Vy&brat obrázek"), Qt::Key_F9);
    Nastobrzekzeschrnky1 = CreateAction(Edit1, QStringLiteral("&Načíst obrázek ze schránky"));
    Odstranitobrzek2 = CreateAction(Edit1, QStringLiteral("&Odstranit obrázek"));

    Tisk1 = bar->addMenu(QStringLiteral("&Tisk"));
    Selecteditem1 = CreateAction(Tisk1, QStringLiteral("&Vybraný soubor"), Qt::Key_F5);
    Listofitems1 = CreateAction(Tisk1, QStringLiteral("&Seznam všech"));
    Kartadopdf1 = CreateAction(Tisk1, QStringLiteral("Uložit &kartu do PDF…"));
    Seznamdopdf1 = CreateAction(Tisk1, QStringLiteral("Uložit seznam do &PDF…"));
    Exportdocsv1 = CreateAction(Tisk1, QStringLiteral("&Exportovat do CSV…"));
    Tisk1->addSeparator();
    Printsettings1 = CreateAction(Tisk1, QStringLiteral("&Nastavení tisku"));

    Navigace1 = bar->addMenu(QStringLiteral("&Navigace"));
    Pejtnakartu1 = CreateAction(Navigace1, QStringLiteral("Přejít na &kartu č."), Qt::Key_F12);
    Navigace1->addSeparator();
    Pejtnaprvn1 = CreateAction(Navigace1, QStringLiteral("Přejít na p&rvní"), Qt::Key_Home);
    Pejtnaposledn1 = CreateAction(Navigace1, QStringLiteral("Přejít na pos&lední"), Qt::Key_End);
    Navigace1->addSeparator();
    Dal1 = CreateAction(Navigace1, QStringLiteral("&Další"), Qt::Key_PageDown);
    Pedchoz1 = CreateAction(Navigace1, QStringLiteral("&Předchozí"), Qt::Key_PageUp);

    Nastroje1 = bar->addMenu(QStringLiteral("Nástr&oje"));
    Vyhledvn1 = CreateAction(Nastroje1, QStringLiteral("&Vyhledávání"));
    Najtdal1 = CreateAction(Nastroje1, QStringLiteral("&Najít další"), Qt::Key_F3);
    Prehledkaret1 = CreateAction(Nastroje1, QStringLiteral("&Přehled karet…"), Qt::Key_F6);
    Nastroje1->addSeparator();
    Zkontrolovataktualizace1 = CreateAction(Nastroje1, QStringLiteral("&Zkontrolovat aktualizace"));

    // A top-level item without sub-items.
    Language1 = bar->addAction(QStringLiteral("N&astavení"));

    Pomoc1 = bar->addMenu(QStringLiteral("&Pomoc"));
    Internetovstrnky1 = CreateAction(Pomoc1, QStringLiteral("&Internetové stránky"));
    Npovda1 = CreateAction(Pomoc1, QStringLiteral("&Nápověda"), Qt::Key_F1);
    Pomoc1->addSeparator();
    About1 = CreateAction(Pomoc1, QStringLiteral("&O Kartotéce"));

    // Disabled in the window's initial form; the window state enables them.
    for (QAction* action : {Delete1, Save1, Pejmenovat1, Selecteditem1, Kartadopdf1})
        action->setEnabled(false);

    Bind(Konec1, [this] { SpeedButton5Click(); });
    Bind(Save1, [this] { SpeedButton3Click(); });
    Bind(Dal1, [this] { SpeedButton9Click(); });
    Bind(Pedchoz1, [this] { SpeedButton8Click(); });
    Bind(Pejtnaprvn1, [this] { Pejtnaprvn1Click(); });
    Bind(Pejtnaposledn1, [this] { Pejtnaposledn1Click(); });
    // Go to card N drops every error itself.
    connect(Pejtnakartu1, &QAction::triggered, this, [this] {
        if (IsAvailable(Pejtnakartu1))
            Pejtnakartu1Click();
    });
}

void TForm1::CreatePopupMenus() {
    PopupMenu1 = new QMenu(this);
    Addline2 = PopupMenu1->addAction(QStringLiteral("&Přidat řádek (Ctrl+A) "));
    Deleteline2 = PopupMenu1->addAction(QStringLiteral("&Odstranit řádek (Ctrl+D)"));
    PopupMenu1->addSeparator();
    Save2 = PopupMenu1->addAction(QStringLiteral("&Uložit soubor (F2)"));
    connect(ListB, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        PopupMenu1->popup(ListB->viewport()->mapToGlobal(point));
    });

    PopupMenu3 = new QMenu(this);
    Vybratobrzek2 = PopupMenu3->addAction(QStringLiteral("&Vybrat obrázek (F9)"));
    Odstranitobrzek1 = PopupMenu3->addAction(QStringLiteral("&Odstranit obrázek"));
    Nastzeschrnky1 = PopupMenu3->addAction(QStringLiteral("&Načíst ze schránky"));
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { PopupMenu3->popup(Image1->mapToGlobal(point)); });
}

void TForm1::ForwardControlsToActions() {
    const QList<QPair<QAbstractButton*, QAction*>> buttons = {
        {SpeedButton4, Add1},       {SpeedButton6, Delete1},        {SpeedButton14, Najtdal1},
        {SpeedButton13, Vyhledvn1}, {SpeedButton11, Selecteditem1}, {SpeedButton3, Save1},
        {SpeedButton12, Undo1},     {SpeedButton1, Addline1},       {SpeedButton2, Deleteline1},
        {SpeedButton10, Npovda1},   {SpeedButton5, Konec1},         {SpeedButton8, Pedchoz1},
        {SpeedButton9, Dal1},
    };
    for (const auto& [button, action] : buttons)
        connect(button, &QAbstractButton::clicked, action, &QAction::trigger);

    // The picture's pop-up entry to choose a picture does what F9 does.
    const QList<QPair<QAction*, QAction*>> items = {
        {Addline2, Addline1},
        {Deleteline2, Deleteline1},
        {Save2, Save1},
        {Vybratobrzek2, Vybratobrzek1},
        {Odstranitobrzek1, Odstranitobrzek2},
        {Nastzeschrnky1, Nastobrzekzeschrnky1},
    };
    for (const auto& [item, action] : items)
        connect(item, &QAction::triggered, action, &QAction::trigger);

    connect(Label9, &LinkLabel::clicked, Add1, &QAction::trigger);
    connect(Label10, &LinkLabel::clicked, Npovda1, &QAction::trigger);
    connect(Label5, &LinkLabel::clicked, Internetovstrnky1, &QAction::trigger);
    connect(Image1, &PictureBox::clicked, Vybratobrzek1, &QAction::trigger);
}
