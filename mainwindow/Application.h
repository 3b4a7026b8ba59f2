#pragma once

#include "mainwindow/TForm1.h"
#include "storage/AppState.h"

#include <QString>
#include <memory>

class CardConflictDialog;
class CardExports;
class MainWindowCardFileHost;
class MainWindowOverviewHost;
class OverviewWindow;
class MainWindowPrintSource;
class MainWindowSearchHost;
class ProgramInstance;
class Prompts;
class QuickSearch;
class SyncCommands;
class TAboutForm;
class TAddForm;
class TDelForm;
class TFindForm;
class THistoryForm;
class TPrintForm;
class TSetForm;

// The program as a whole: its shared state, its prompts, its windows (created
// once, in order, living until the process ends), the commands that join them
// and the way the process ends.
class Application {
public:
    // programDir = P with a trailing "/". Without prompts the real message
    // boxes are used; without endProcess the event loop is ended.
    explicit Application(const QString& programDir, Prompts* prompts = nullptr,
                         ProcessEnd endProcess = {});
    ~Application();

    // Creates the windows; false when the start-up ended the process (then
    // exitCode() holds the code and nothing else was created).
    bool start();
    // Shows the main window and runs the event loop until the process ends.
    int run();

    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

    AppState& state() { return state_; }
    Prompts& dialogs() { return *prompts_; }
    TForm1* form1() const { return form1_.get(); }

private:
    bool claimProgramDir();
    void showMainWindow();
    void endProcess(int exitCode);
    void createDialogs();
    void createCommandParts();
    void bindCommands();

    // Handlers of the commands that open the dialogs or leave the cards alone.
    void Add1Click();
    void Delete1Click();
    void showCardHistory();
    void Language1Click();
    void About1Click();
    void Label5Click();
    void Label8Click();
    void Npovda1Click();
    void Zkontrolovataktualizace1Click();
    void importCsv();

    AppState state_;
    // Holds the program directory until everything else has gone.
    std::unique_ptr<ProgramInstance> instance_;
    bool claimed_ = false;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_;
    ProcessEnd endProcess_;
    bool ended_ = false;
    int exitCode_ = 0;
    bool running_ = false;
    // The other windows' views of the main window outlive the windows built on
    // them, which the main window owns.
    std::unique_ptr<MainWindowSearchHost> searchHost_;
    std::unique_ptr<MainWindowPrintSource> printSource_;
    std::unique_ptr<MainWindowCardFileHost> cardFileHost_;
    std::unique_ptr<QuickSearch> quickSearch_;
    std::unique_ptr<CardExports> cardExports_;
    std::unique_ptr<TForm1> form1_;
    // The dialogs, in creation order after the main window, which owns them.
    TSetForm* SetForm_ = nullptr;
    TAboutForm* AboutForm_ = nullptr;
    TAddForm* AddForm_ = nullptr;
    TDelForm* DelForm_ = nullptr;
    TFindForm* FindForm_ = nullptr;
    TPrintForm* PrintForm_ = nullptr;
    THistoryForm* HistoryForm_ = nullptr;
    CardConflictDialog* ConflictForm_ = nullptr;
    // Owned by the main window.
    SyncCommands* syncCommands_ = nullptr;
    MainWindowOverviewHost* overviewHost_ = nullptr;
    OverviewWindow* overview_ = nullptr;
};
