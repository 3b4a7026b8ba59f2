#include "mainwindow/MainMenu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

MainMenu::MainMenu(QMainWindow& window, CommandRegistry& commands)
    : QObject(&window), window_(window), commands_(commands) {
    createMenuBar();
    createPopUpMenus();
}

QAction* MainMenu::item(QMenu* menu, const char* name, const QString& caption, Command command,
                        const QKeySequence& shortcut) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    // Added to the window too, so that its shortcut acts wherever the focus is.
    window_.addAction(action);
    commands_.add(command, action);
    return action;
}

QAction* MainMenu::popUpItem(QMenu* menu, const char* name, const QString& caption,
                             Command command) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, command] { commands_.trigger(command); });
    return action;
}

// Every caption underlines one letter ('&'), unique within its menu: Alt and
// the letter of a menu open it from the keyboard, the letter of an item then
// chooses that item.
void MainMenu::createMenuBar() {
    QMenuBar* bar = window_.menuBar();
    const auto menu = [bar](const char* name, const QString& caption) {
        QMenu* created = bar->addMenu(caption);
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };

    QMenu* Soubor1 = menu("Soubor1", QStringLiteral("&Soubor"));
    item(Soubor1, "Add1", QStringLiteral("&Nový soubor"), Command::NewCard, Qt::Key_F7);
    QAction* Delete1 = item(Soubor1, "Delete1", QStringLiteral("&Odstranit soubor"),
                            Command::DeleteCard, Qt::Key_F8);
    QAction* Save1 =
        item(Soubor1, "Save1", QStringLiteral("&Uložit soubor"), Command::SaveCard, Qt::Key_F2);
    QAction* Pejmenovat1 =
        item(Soubor1, "Pejmenovat1", QStringLiteral("&Přejmenovat"), Command::RenameCard);
    item(Soubor1, "Importovatzcsv1", QStringLiteral("&Importovat z CSV…"), Command::ImportCsv);
    Soubor1->addSeparator();
    item(Soubor1, "Konec1", QStringLiteral("&Konec"), Command::Exit, Qt::Key_F10);

    Edit1_ = menu("Edit1", QStringLiteral("Úp&ravy"));
    item(Edit1_, "Undo1", QStringLiteral("&Vrátit změny"), Command::RevertCard, Qt::Key_F11);
    item(Edit1_, "Historiekarty1", QStringLiteral("&Historie karty…"), Command::CardHistory);
    item(Edit1_, "Vyresitkonflikt1", QStringLiteral("Vyřešit &konflikt…"),
         Command::ResolveConflict);
    Edit1_->addSeparator();
    item(Edit1_, "Addline1", QStringLiteral("&Přidat řádek"), Command::AddLine,
         QKeySequence(Qt::CTRL | Qt::Key_A));
    item(Edit1_, "Deleteline1", QStringLiteral("Odstranit řá&dek"), Command::DeleteLine,
         QKeySequence(Qt::CTRL | Qt::Key_D));
    Edit1_->addSeparator();
    item(Edit1_, "Vybratobrzek1", QStringLiteral("Vy&brat obrázek"), Command::ChoosePicture,
         Qt::Key_F9);
    item(Edit1_, "Nastobrzekzeschrnky1", QStringLiteral("&Načíst obrázek ze schránky"),
         Command::PastePicture);
    item(Edit1_, "Odstranitobrzek2", QStringLiteral("&Odstranit obrázek"), Command::RemovePicture);

    QMenu* Tisk1 = menu("Tisk1", QStringLiteral("&Tisk"));
    QAction* Selecteditem1 = item(Tisk1, "Selecteditem1", QStringLiteral("&Vybraný soubor"),
                                  Command::PrintCard, Qt::Key_F5);
    item(Tisk1, "Listofitems1", QStringLiteral("&Seznam všech"), Command::PrintList);
    QAction* Kartadopdf1 =
        item(Tisk1, "Kartadopdf1", QStringLiteral("Uložit &kartu do PDF…"), Command::SaveCardPdf);
    item(Tisk1, "Seznamdopdf1", QStringLiteral("Uložit seznam do &PDF…"), Command::SaveListPdf);
    item(Tisk1, "Exportdocsv1", QStringLiteral("&Exportovat do CSV…"), Command::ExportCsv);
    Tisk1->addSeparator();
    item(Tisk1, "Printsettings1", QStringLiteral("&Nastavení tisku"), Command::PrinterSetUp);

    QMenu* Navigace1 = menu("Navigace1", QStringLiteral("&Navigace"));
    item(Navigace1, "Pejtnakartu1", QStringLiteral("Přejít na &kartu č."), Command::GoToCard,
         Qt::Key_F12);
    Navigace1->addSeparator();
    Pejtnaprvn1_ = item(Navigace1, "Pejtnaprvn1", QStringLiteral("Přejít na p&rvní"),
                        Command::GoToFirst, Qt::Key_Home);
    Pejtnaposledn1_ = item(Navigace1, "Pejtnaposledn1", QStringLiteral("Přejít na pos&lední"),
                           Command::GoToLast, Qt::Key_End);
    Navigace1->addSeparator();
    Dal1_ = item(Navigace1, "Dal1", QStringLiteral("&Další"), Command::Next, Qt::Key_PageDown);
    Pedchoz1_ = item(Navigace1, "Pedchoz1", QStringLiteral("&Předchozí"), Command::Previous,
                     Qt::Key_PageUp);

    QMenu* Nastroje1 = menu("Nastroje1", QStringLiteral("Nástr&oje"));
    item(Nastroje1, "Vyhledvn1", QStringLiteral("&Vyhledávání"), Command::AdvancedSearch);
    item(Nastroje1, "Najtdal1", QStringLiteral("&Najít další"), Command::FindNext, Qt::Key_F3);
    item(Nastroje1, "Prehledkaret1", QStringLiteral("&Přehled karet…"), Command::Overview,
         Qt::Key_F6);
    Nastroje1->addSeparator();
    item(Nastroje1, "Zkontrolovataktualizace1", QStringLiteral("&Zkontrolovat aktualizace"),
         Command::CheckForUpdates);

    // A top-level item without sub-items.
    QAction* Language1 = bar->addAction(QStringLiteral("N&astavení"));
    Language1->setObjectName(QStringLiteral("Language1"));
    commands_.add(Command::Settings, Language1);

    QMenu* Pomoc1 = menu("Pomoc1", QStringLiteral("&Pomoc"));
    item(Pomoc1, "Internetovstrnky1", QStringLiteral("&Internetové stránky"), Command::HomePage);
    item(Pomoc1, "Npovda1", QStringLiteral("&Nápověda"), Command::Help, Qt::Key_F1);
    Pomoc1->addSeparator();
    item(Pomoc1, "About1", QStringLiteral("&O Kartotéce"), Command::About);

    cardActions_ = {Save1, Pejmenovat1, Delete1, Selecteditem1, Kartadopdf1};
    // Disabled in the window's initial form; the window state enables them.
    for (QAction* action : cardActions_)
        action->setEnabled(false);
}

void MainMenu::createPopUpMenus() {
    PopupMenu1_ = new QMenu(&window_);
    PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    popUpItem(PopupMenu1_, "Addline2", QStringLiteral("&Přidat řádek (Ctrl+A) "), Command::AddLine);
    popUpItem(PopupMenu1_, "Deleteline2", QStringLiteral("&Odstranit řádek (Ctrl+D)"),
              Command::DeleteLine);
    PopupMenu1_->addSeparator();
    popUpItem(PopupMenu1_, "Save2", QStringLiteral("&Uložit soubor (F2)"), Command::SaveCard);

    // The picture's entry to choose a picture does what F9 does.
    PopupMenu3_ = new QMenu(&window_);
    PopupMenu3_->setObjectName(QStringLiteral("PopupMenu3"));
    popUpItem(PopupMenu3_, "Vybratobrzek2", QStringLiteral("&Vybrat obrázek (F9)"),
              Command::ChoosePicture);
    popUpItem(PopupMenu3_, "Odstranitobrzek1", QStringLiteral("&Odstranit obrázek"),
              Command::RemovePicture);
    popUpItem(PopupMenu3_, "Nastzeschrnky1", QStringLiteral("&Načíst ze schránky"),
              Command::PastePicture);
}

void MainMenu::setCardOpen(bool open) {
    Edit1_->setEnabled(open);
    Edit1_->menuAction()->setEnabled(open);
    for (QAction* item : Edit1_->actions())
        item->setEnabled(open);
    for (QAction* action : cardActions_)
        action->setEnabled(open);
}

void MainMenu::setNavigationKeys(bool on) {
    Pejtnaprvn1_->setShortcut(on ? QKeySequence(Qt::Key_Home) : QKeySequence());
    Pejtnaposledn1_->setShortcut(on ? QKeySequence(Qt::Key_End) : QKeySequence());
    Dal1_->setShortcut(on ? QKeySequence(Qt::Key_PageDown) : QKeySequence());
    Pedchoz1_->setShortcut(on ? QKeySequence(Qt::Key_PageUp) : QKeySequence());
}

bool MainMenu::navigationKeysPresent() const {
    return !Pejtnaprvn1_->shortcut().isEmpty();
}

void MainMenu::popUpTableMenu(const QPoint& globalPos) {
    PopupMenu1_->popup(globalPos);
}

void MainMenu::popUpPictureMenu(const QPoint& globalPos) {
    PopupMenu3_->popup(globalPos);
}
