#pragma once

#include <QMap>
#include <QObject>
#include <functional>

class Prompts;
class QAbstractButton;
class QAction;
class QKeySequence;

// The main window's commands, one per menu item. Menus, tool buttons, links and
// pop-up items all run a command through its menu action, so a command is
// bound once and is available exactly while its menu item is.
enum class Command {
    NewCard,         // Add1
    DeleteCard,      // Delete1
    SaveCard,        // Save1
    RenameCard,      // Pejmenovat1
    ImportCsv,       // Importovatzcsv1
    Exit,            // Konec1
    RevertCard,      // Undo1
    CardHistory,     // Historiekarty1
    ResolveConflict, // Vyresitkonflikt1
    AddLine,         // Addline1
    DeleteLine,      // Deleteline1
    ChoosePicture,   // Vybratobrzek1
    PastePicture,    // Nastobrzekzeschrnky1
    RemovePicture,   // Odstranitobrzek2
    PrintCard,       // Selecteditem1
    PrintList,       // Listofitems1
    SaveCardPdf,     // Kartadopdf1
    SaveListPdf,     // Seznamdopdf1
    ExportCsv,       // Exportdocsv1
    PrinterSetUp,    // Printsettings1
    GoToCard,        // Pejtnakartu1
    GoToFirst,       // Pejtnaprvn1
    GoToLast,        // Pejtnaposledn1
    Next,            // Dal1
    Previous,        // Pedchoz1
    AdvancedSearch,  // Vyhledvn1
    FindNext,        // Najtdal1
    Overview,        // Prehledkaret1
    CheckForUpdates, // Zkontrolovataktualizace1
    Settings,        // Language1
    HomePage,        // Internetovstrnky1
    Help,            // Npovda1
    About,           // About1
};

// Commands by id: the menu registers each command's action, the rest of the
// program binds handlers to ids and triggers them.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    explicit CommandRegistry(Prompts& prompts, QObject* parent = nullptr);

    // The menu item that carries command.
    void add(Command command, QAction* action);
    // Runs handler whenever command is triggered (menu, shortcut or a control
    // that forwards to it), through the standard error box, and only while the
    // command is available. A command has one handler.
    void bind(Command command, std::function<void()> handler);
    // A click on button triggers command.
    void forward(QAbstractButton* button, Command command);
    void trigger(Command command);
    // Whether command can run: its item is enabled and so is every menu holding it.
    bool isAvailable(Command command) const;
    // Whether keys are the shortcut of an available command.
    bool isShortcut(const QKeySequence& keys) const;

    static bool isAvailable(const QAction* action);

private:
    QAction* actionOf(Command command) const;

    Prompts& prompts_;
    QMap<Command, QAction*> actions_;
};
