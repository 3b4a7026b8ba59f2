#pragma once

// Folder rule: mainwindow/ sits on top and may include every folder; no other
// folder includes it.

#include "settings/SettingsTarget.h"

#include <QElapsedTimer>
#include <QFont>
#include <QMainWindow>
#include <functional>
#include <memory>

class CardListPanel;
class CommandRegistry;
class EditorPanel;
class MainMenu;
class MainToolBar;
class OpenCard;
class Prompts;
class QLineEdit;
class QPrinter;
class QSplitter;
class WelcomeArea;
struct AppState;

// Ends the process with an exit code. The program's own ends the event loop;
// tests install one that records the code.
using ProcessEnd = std::function<void(int exitCode)>;

// The main window, composed of its parts: the menus (MainMenu), the tool bar
// (MainToolBar), the card list (CardListPanel), the card editor (EditorPanel)
// and the welcome text shown while no card is open (WelcomeArea). Each part
// keeps its widgets; the rest of the program reaches the window through the
// command ids of commands(), the parts' interfaces and the handlers below.
// Start-up (FormCreate) runs in the constructor.
class TForm1 : public QMainWindow, public SettingsTarget {
    Q_OBJECT
public:
    static constexpr int kDesignedClientWidth = 793;
    static constexpr int kDesignedClientHeight = 531;
    static constexpr int kDesignedLeft = 265;
    static constexpr int kDesignedTop = 233;

    // Runs the start-up sequence; it may end the process through endProcess.
    TForm1(AppState& state, Prompts& prompts, ProcessEnd endProcess, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& state() const { return state_; }
    Prompts& dialogs() const { return prompts_; }
    // The open card, with its open, save, revert, rename and delete sequences.
    OpenCard& card() const { return *card_; }
    CommandRegistry& commands() const { return *commands_; }
    CardListPanel& listPanel() const { return *listPanel_; }
    EditorPanel& editorPanel() const { return *editor_; }
    // The tool bar's quick-search box Edit2.
    QLineEdit* quickSearchBox() const;

    // Card open and save (OpenCard::openSelected and OpenCard::save).
    void ListDblClick();
    void SpeedButton3Click();
    // Gives the open card a new name (OpenCard::rename).
    void Pejmenovat1Click();
    // "Pelvarin Kartotéka - (N) name" for the card cardName (N = its list position).
    void showCardTitle(const QString& cardName);

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

    // Editing the open card.
    // Adds the row "=" below the cursor row and moves the cursor onto it.
    void Addline1Click();
    // Deletes the cursor row, never the first line nor the only one.
    void Delete2Click();
    // Asks for a picture file and loads it into the card.
    void Image1Click();
    // Loads the picture file at path (JPEG or BMP) into the card, fitted into
    // 320 x 240 and saved as the picture member in the working directory.
    void ImageSelect(const QString& path);
    // The clipboard's picture becomes the card's picture.
    void Nastzeschrnky1Click();
    // Removes the card's picture member.
    void Odstranitobrzek1Click();
    // Files dropped on the window: text files into the notes, pictures into the card.
    void WMDropFiles(const QStringList& paths);
    // Opens the card file again, dropping every unsaved change.
    void Undo1Click();

    // The picture keeps 4:3 within its area.
    void Splitter2Moved();

    // Exit: save or ask, write the layout files, empty TEMP, end the process.
    void SpeedButton5Click();

    // Settings applied to the window.
    void applyMainFont(const QFont& font, qint32 storedColor);
    void setNavigationKeys(bool on);
    void CompactToolbar();

    // What the settings dialog reads and changes (SettingsTarget).
    QStringList titleCaptions() const override;
    void setTitleCaptions(const QStringList& titles) override;
    void applyBackColor(qint32 storedColor) override;
    void setTableTabOption(bool on) override;
    bool navigationShortcutsPresent() const override;
    bool undoButtonVisible() const override;
    void makeToolbarCompact() override { CompactToolbar(); }
    MainFont mainFont() const override { return {mainFont_, mainFontColor_}; }
    void setMainFont(const MainFont& font) override { applyMainFont(font.font, font.color); }
    // The window's printer, the one the printer set-up dialog changes; made on
    // first use, as asking the print system for it takes time.
    QPrinter& printer() override;

signals:
    // The background colour changed; the dialogs take it too.
    void backColorChanged(qint32 storedColor);
    // The welcome area's link "Pomozte s vývojem Kartotéky." was clicked.
    void supportLinkClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Composition (TForm1.cpp).
    void createClient();
    void createParts();
    void connectParts();
    void bindOwnCommands();
    void placeWelcomeArea();
    void keepDesignedSize();
    // The welcome labels' colour for the font colour storedColor.
    QColor welcomeTextColor(qint32 storedColor) const;

    // Start-up and exit (TForm1Startup.cpp).
    void FormCreate();
    bool libraryIsPresent() const;
    void readConfigFile(const QString& path);
    void readFontFile(const QString& path);
    void readLayoutFiles();
    void writeLayoutFiles();
    void centreOnDesktop();

    AppState& state_;
    Prompts& prompts_;
    ProcessEnd endProcess_;
    bool processEnded_ = false;
    bool centreOnDesktop_ = true;
    bool sizeRestorePending_ = false;
    QElapsedTimer lastSizeRestore_;
    QWidget* client_ = nullptr;
    QSplitter* Splitter4_ = nullptr; // card list | editor
    QFont mainFont_;
    qint32 mainFontColor_;
    CommandRegistry* commands_ = nullptr;
    MainMenu* menu_ = nullptr;
    MainToolBar* toolBar_ = nullptr;
    CardListPanel* listPanel_ = nullptr;
    EditorPanel* editor_ = nullptr;
    WelcomeArea* welcome_ = nullptr;
    std::unique_ptr<OpenCard> card_;
    std::unique_ptr<QPrinter> printer_;
};
