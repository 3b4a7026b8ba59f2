#pragma once

// Folder rule: mainwindow/ sits on top and may include every folder; no other
// folder includes it.

#include "mainwindow/ProcessEnd.h"
#include "settings/SettingsTarget.h"

#include <QElapsedTimer>
#include <QFont>
#include <QMainWindow>
#include <functional>
#include <memory>

class BandBar;
class CardList;
class Form1CardEditor;
class Form1CardList;
class KeyValueGrid;
class LinkLabel;
class NotesEdit;
class OpenCard;
class PictureBox;
class Prompts;
class QAbstractButton;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QSplitter;
class QToolButton;
struct AppState;

// The main window: tool bar, card list, card editor (table, notes, picture),
// menus, start-up (FormCreate, run by the constructor) and exit.
//
// Commands live on the menu actions: a tool bar button, link label or pop-up
// item with the same command triggers its menu action. Bind a command once,
// to the action, with Bind().
class TForm1 : public QMainWindow, public SettingsTarget {
    Q_OBJECT
public:
    static constexpr int DesignedClientWidth = 793;
    static constexpr int DesignedClientHeight = 531;
    static constexpr int DesignedLeft = 265;
    static constexpr int DesignedTop = 233;
    static constexpr int ToolbarHeight = 38;

    // Runs the start-up sequence; it may end the process through endProcess.
    TForm1(AppState& state, Prompts& prompts, ProcessEnd endProcess, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& State() const { return state_; }
    Prompts& Dialogs() const { return prompts_; }
    // The open card, with its open, save, revert, rename and delete sequences.
    OpenCard& Card() const { return *card_; }

    // Runs command whenever action is triggered (menu, shortcut or a control
    // that forwards to it), through the standard error box, and only while the
    // action and its menu are enabled.
    void Bind(QAction* action, std::function<void()> command);
    // Runs command on every click of button, through the standard error box.
    void Bind(QAbstractButton* button, std::function<void()> command);
    // Runs handler with the paths of the files dropped on the window (in the
    // order reported), through the standard error box.
    void BindFilesDropped(std::function<void(const QStringList&)> handler);
    // Whether action can run: it is enabled and so is every menu holding it.
    static bool IsAvailable(const QAction* action);

    // Card open and save (OpenCard::OpenSelected and OpenCard::Save).
    void ListDblClick();
    void SpeedButton3Click();
    // "Pelvarin Kartotéka - (N) name" for the card cardName (N = its list position).
    void ShowCardTitle(const QString& cardName);
    // Shows the bitmap file at path, or NSELECT when it is missing or unreadable.
    void ShowPictureFile(const QString& path);
    void ShowNoPicture();

    // Window state and list.
    void UpdateWindowState();
    void ListChange();
    void ListKeyUp(int key);

    // Navigation.
    void SpeedButton9Click();
    void SpeedButton8Click();
    void Pejtnaprvn1Click();
    void Pejtnaposledn1Click();
    void Pejtnakartu1Click();

    // Geometry rules of the left panel and of the picture.
    void Panel9CanResize(int newWidth, int newHeight);
    void Splitter2Moved();

    // Exit: save or ask, write the layout files, empty TEMP, end the process.
    void SpeedButton5Click();

    // Settings applied to the window.
    void ApplyBackColor(qint32 storedColor);
    void ApplyMainFont(const QFont& font, qint32 storedColor);
    void SetNavigationKeys(bool on);
    void CompactToolbar();

    // What the settings dialog reads and changes (SettingsTarget).
    QStringList titleCaptions() const override;
    void setTitleCaptions(const QStringList& titles) override;
    void applyBackColor(qint32 color) override { ApplyBackColor(color); }
    void setTableTabOption(bool on) override;
    bool navigationShortcutsPresent() const override;
    bool undoButtonVisible() const override;
    void compactToolbar() override { CompactToolbar(); }
    MainFont mainFont() const override { return {mainFont_, mainFontColor_}; }
    void setMainFont(const MainFont& font) override { ApplyMainFont(font.font, font.color); }
    // The window's printer, the one the printer set-up dialog changes; made on
    // first use, as asking the print system for it takes time.
    QPrinter& printer() override;

    // Tool bar bands, in their stored order (cbar.ini).
    QWidget* Panel2;
    QWidget* Panel3;
    QWidget* Panel1;
    QWidget* Panel5;
    QWidget* Panel6;
    QWidget* Panel4;
    BandBar* CBar;
    QToolButton* SpeedButton4;  // "Nový"
    QToolButton* SpeedButton6;  // "Odstranit"
    QLineEdit* Edit2;           // quick search text
    QToolButton* SpeedButton14; // "Hledat"
    QToolButton* SpeedButton13; // ">>"
    QToolButton* SpeedButton11; // "Tisknout"
    QToolButton* SpeedButton3;  // "Uložit"
    QToolButton* SpeedButton12; // revert
    QToolButton* SpeedButton1;  // add row
    QToolButton* SpeedButton2;  // delete row
    QToolButton* SpeedButton10; // "Nápověda"
    QToolButton* SpeedButton5;  // "Konec"

    // Left panel.
    QWidget* Panel9;
    CardList* List;
    QToolButton* SpeedButton8; // "<<"
    QToolButton* SpeedButton9; // ">>"

    // Card editor.
    QSplitter* Splitter4; // left panel | editor
    QWidget* Panel7;
    QSplitter* Splitter1; // table / bottom panel
    KeyValueGrid* ListB;
    QWidget* Panel8;
    QSplitter* Splitter2; // notes | picture
    NotesEdit* Memo1;
    QWidget* Panel10;
    QFrame* Shape1;
    PictureBox* Image1;

    // Welcome area.
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    LinkLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    LinkLabel* Label8;
    LinkLabel* Label9;
    LinkLabel* Label10;

    // Main menu.
    QMenu* Soubor1;
    QAction* Add1;
    QAction* Delete1;
    QAction* Save1;
    QAction* Pejmenovat1;
    QAction* Importovatzcsv1; // "Importovat z CSV…"
    QAction* Konec1;
    QMenu* Edit1;
    QAction* Undo1;
    QAction* Historiekarty1;
    QAction* Vyresitkonflikt1; // "Vyřešit konflikt…"
    QAction* Addline1;
    QAction* Deleteline1;
    QAction* Vybratobrzek1;
    QAction* Nastobrzekzeschrnky1;
    QAction* Odstranitobrzek2;
    QMenu* Tisk1;
    QAction* Selecteditem1;
    QAction* Listofitems1;
    QAction* Kartadopdf1;  // "Uložit kartu do PDF…"
    QAction* Seznamdopdf1; // "Uložit seznam do PDF…"
    QAction* Exportdocsv1; // "Exportovat do CSV…"
    QAction* Printsettings1;
    QMenu* Navigace1;
    QAction* Pejtnakartu1;
    QAction* Pejtnaprvn1;
    QAction* Pejtnaposledn1;
    QAction* Dal1;
    QAction* Pedchoz1;
    QMenu* Nastroje1;
    QAction* Vyhledvn1;
    QAction* Najtdal1;
    QAction* Prehledkaret1;
    QAction* Zkontrolovataktualizace1;
    QAction* Language1;
    QMenu* Pomoc1;
    QAction* Internetovstrnky1;
    QAction* Npovda1;
    QAction* About1;

    // Pop-up menus of the table and of the picture.
    QMenu* PopupMenu1;
    QAction* Addline2;
    QAction* Deleteline2;
    QAction* Save2;
    QMenu* PopupMenu3;
    QAction* Vybratobrzek2;
    QAction* Odstranitobrzek1;
    QAction* Nastzeschrnky1;

signals:
    // The background colour changed; the dialogs take it too.
    void backColorChanged(qint32 storedColor);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (TForm1.cpp, TForm1Toolbar.cpp, TForm1Menus.cpp).
    void CreateToolbar();
    QToolButton* CreateSpeedButton(QWidget* panel, const QString& caption, const QString& hint,
                                   const QString& iconName, QRect geometry);
    void CreateLeftPanel();
    void CreateEditor();
    void CreateWelcomeArea();
    void CreateMenus();
    void CreatePopupMenus();
    QAction* CreateAction(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
    void ForwardControlsToActions();
    void ConnectChangeNotifications();
    void PlaceWelcomeLabels();
    void KeepDesignedSize();

    // Start-up (TForm1Startup.cpp).
    void FormCreate();
    bool LibraryIsPresent();
    void ReadConfigFile(const QString& path);
    void ReadFontFile(const QString& path);
    void ReadLayoutFiles();
    void CentreOnDesktop();

    // Exit (TForm1Exit.cpp).
    void WriteLayoutFiles();
    // The welcome labels' colour for the font colour storedColor.
    QColor WelcomeTextColor(qint32 storedColor) const;

    // Shortcuts over focused text controls (TForm1Shortcuts.cpp).
    bool IsWindowShortcut(const QKeyEvent* event) const;

    AppState& state_;
    Prompts& prompts_;
    ProcessEnd endProcess_;
    bool processEnded_ = false;
    bool centreOnDesktop_ = true;
    bool sizeRestorePending_ = false;
    QElapsedTimer lastSizeRestore_;
    QWidget* client_ = nullptr;
    QWidget* editorArea_ = nullptr;
    QFont mainFont_;
    qint32 mainFontColor_;
    std::unique_ptr<Form1CardEditor> cardEditor_;
    std::unique_ptr<Form1CardList> cardList_;
    std::unique_ptr<OpenCard> card_;
    QList<QAction*> windowActions_;
    std::unique_ptr<QPrinter> printer_;
    std::function<void(const QStringList&)> filesDropped_;
};
