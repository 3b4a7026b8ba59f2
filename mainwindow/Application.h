#pragma once

#include "conflict/CardConflictDialog.h"
#include "history/THistoryForm.h"
#include "mainwindow/ProcessEnd.h"
#include "mainwindow/TAboutForm.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "print/TPrintForm.h"
#include "search/TFindForm.h"
#include "settings/TSetForm.h"
#include "storage/AppState.h"

#include <QString>
#include <memory>

class AuxiliaryCommands;
class CardExports;
class CardFileCommands;
class Form1CardFileHost;
class MainWindowSearchHost;
class PrintSource;
class ProgramInstance;
class Prompts;
class SearchCommands;
class TForm1;

// The program as a whole: its shared state, its prompts, its eight windows
// (created once, in order, living until the process ends) and the way the
// process ends.
class Application {
public:
    // programDir = P with a trailing "/". Without prompts the real message
    // boxes are used; without endProcess the event loop is ended.
    explicit Application(const QString& programDir, Prompts* prompts = nullptr,
                         ProcessEnd endProcess = {});
    ~Application();

    // Creates the windows; false when the start-up ended the process (then
    // ExitCode() holds the code and nothing else was created).
    bool Start();
    // Shows the main window and runs the event loop until the process ends.
    int Run();

    bool Ended() const { return ended_; }
    int ExitCode() const { return exitCode_; }

    AppState& State() { return state_; }
    Prompts& Dialogs() { return *prompts_; }
    TForm1* Form1() const { return form1_.get(); }

    // The dialogs, in creation order after the main window, which owns them.
    TSetForm* SetForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TAddForm* AddForm = nullptr;
    TDelForm* DelForm = nullptr;
    TFindForm* FindForm = nullptr;
    TPrintForm* PrintForm = nullptr;
    THistoryForm* HistoryForm = nullptr;
    CardConflictDialog* ConflictForm = nullptr;

private:
    bool ClaimProgramDir();
    void ShowMainWindow();
    void EndProcess(int exitCode);
    void CreateDialogs();
    void ConnectCommands();

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
    // The search's view of the main window outlives the windows built on it.
    std::unique_ptr<MainWindowSearchHost> searchHost_;
    std::unique_ptr<SearchCommands> searchCommands_;
    // What the print dialog reads from the main window; it outlives the dialog,
    // which the main window owns.
    std::unique_ptr<PrintSource> printSource_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<Form1CardFileHost> cardFileHost_;
    std::unique_ptr<CardFileCommands> cardFileCommands_;
    std::unique_ptr<AuxiliaryCommands> auxiliaryCommands_;
    std::unique_ptr<CardExports> cardExports_;
};
