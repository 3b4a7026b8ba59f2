#include "mainwindow/Application.h"

#include "core/ProgramInstance.h"
#include "core/StoredColor.h"
#include "mainwindow/AccessibleNames.h"
#include "mainwindow/AuxiliaryCommands.h"
#include "mainwindow/CardEditingCommands.h"
#include "mainwindow/CardFileCommands.h"
#include "mainwindow/Form1CardFileHost.h"
#include "mainwindow/HistoryCommands.h"
#include "mainwindow/MainWindowOverviewHost.h"
#include "mainwindow/MainWindowPrintSource.h"
#include "mainwindow/MainWindowSearchHost.h"
#include "mainwindow/ImportCommands.h"
#include "mainwindow/PrintCommands.h"
#include "mainwindow/SearchCommands.h"
#include "mainwindow/SettingsCommands.h"
#include "mainwindow/ShownProbe.h"
#include "mainwindow/SyncCommands.h"
#include "mainwindow/TForm1.h"
#include "print/CardExports.h"
#include "storage/ProgramDir.h"
#include "widgets/CommandGuard.h"
#include "widgets/DialogLook.h"
#include "widgets/QtPrompts.h"

#include <QApplication>
#include <QDialog>

Application::Application(const QString& programDir, Prompts* prompts, ProcessEnd endProcess)
    : prompts_(prompts), endProcess_(std::move(endProcess)) {
    state_.programDir = programDir;
    if (!prompts_) {
        ownPrompts_ = std::make_unique<QtPrompts>();
        prompts_ = ownPrompts_.get();
    }
}

Application::~Application() = default;

bool Application::Start() {
    if (!ClaimProgramDir())
        return false;
    form1_ = std::make_unique<TForm1>(state_, *prompts_, [this](int code) { EndProcess(code); });
    if (ended_)
        return false;
    NameMainWindowControls(*form1_);
    QObject::connect(instance_.get(), &ProgramInstance::showRequested, form1_.get(),
                     [this] { ShowMainWindow(); });
    CreateDialogs();
    ConnectCommands();
    return true;
}

int Application::Run() {
    if (ended_)
        return exitCode_;
    if (ShownProbe::Wanted())
        new ShownProbe(form1_.get());
    form1_->show();
    running_ = true;
    const int code = QApplication::exec();
    running_ = false;
    return ended_ ? exitCode_ : code;
}

// A second program on this program directory would share its TEMP and save
// over its cards: it shows the first one's window instead and ends.
bool Application::ClaimProgramDir() {
    instance_ = std::make_unique<ProgramInstance>(state_.programDir);
    RunGuarded(*prompts_, [this] {
        programdir::makeDataDirectory(state_.programDir);
        if (instance_->claim()) {
            claimed_ = true;
            return;
        }
        if (!instance_->wakeHolder())
            prompts_->message(
                QStringLiteral("Pelvarin Kartotéka už pracuje se složkou %1, ale její okno se "
                               "nepodařilo zobrazit. Druhý program se nespustí, aby nepřepsal "
                               "karty, které má první otevřené.")
                    .arg(state_.programDir));
    });
    if (!claimed_)
        EndProcess(0);
    return claimed_;
}

void Application::ShowMainWindow() {
    form1_->setWindowState(form1_->windowState() & ~Qt::WindowMinimized);
    form1_->show();
    form1_->raise();
    form1_->activateWindow();
}

void Application::EndProcess(int exitCode) {
    ended_ = true;
    exitCode_ = exitCode;
    if (endProcess_) {
        endProcess_(exitCode);
        return;
    }
    // Nothing runs after the exit: the windows go and the loop ends.
    if (form1_)
        form1_->hide();
    if (running_)
        QApplication::exit(exitCode);
}

namespace {

void PaintBackground(QWidget* window, qint32 storedColor) {
    dialoglook::setBackground(*window, ColorFromStored(storedColor));
}

} // namespace

// The seven dialogs, created once in this order after the main window; all but
// the print dialog (which takes it whenever it is shown) take the background
// colour now.
void Application::CreateDialogs() {
    const auto created = [this](auto* dialog, const char* name) {
        dialog->setObjectName(QString::fromLatin1(name));
        PaintBackground(dialog, state_.BackColor);
        return dialog;
    };
    SetForm = created(new TSetForm(state_, *prompts_, *form1_, form1_.get()), "SetForm");
    cardFileHost_ = std::make_unique<Form1CardFileHost>(*form1_);
    AboutForm = created(new TAboutForm(form1_.get()), "AboutForm");
    AddForm = created(new TAddForm(*cardFileHost_, form1_.get()), "AddForm");
    DelForm = created(new TDelForm(*cardFileHost_, form1_.get()), "DelForm");
    searchHost_ = std::make_unique<MainWindowSearchHost>(*form1_);
    FindForm = new TFindForm(*searchHost_, *prompts_, form1_.get());
    FindForm->setObjectName(QStringLiteral("FindForm"));
    FindForm->setBackColor(ColorFromStored(state_.BackColor));
    printSource_ = std::make_unique<MainWindowPrintSource>(*form1_);
    PrintForm = new TPrintForm(state_, *prompts_, *printSource_, form1_.get());
    PrintForm->setObjectName(QStringLiteral("PrintForm"));
    HistoryForm =
        created(new THistoryForm(state_, form1_->Card(), *prompts_, form1_.get()), "HistoryForm");
    ConflictForm = created(new CardConflictDialog(form1_.get()), "ConflictForm");
}

// The commands of the dialogs and of the other parts of the program are bound
// to the main window's actions here (TForm1::Bind).
void Application::ConnectCommands() {
    cardFileCommands_ = std::make_unique<CardFileCommands>(*form1_, *AddForm, *DelForm);
    auxiliaryCommands_ =
        std::make_unique<AuxiliaryCommands>(*form1_, state_, *prompts_, *AboutForm);
    searchCommands_ = std::make_unique<SearchCommands>(*form1_, *searchHost_, *FindForm, *prompts_);
    // Lives as the main window's child.
    new CardEditingCommands(*form1_, *prompts_);
    // The dialogs that take a new background colour at once (the print
    // dialog takes it whenever it is shown).
    QObject::connect(form1_.get(), &TForm1::backColorChanged, form1_.get(), [this](qint32 color) {
        for (QDialog* dialog : std::initializer_list<QDialog*>{SetForm, AboutForm, AddForm, DelForm,
                                                               FindForm, HistoryForm, ConflictForm})
            PaintBackground(dialog, color);
    });
    cardExports_ = std::make_unique<CardExports>(state_, *prompts_, *printSource_, *PrintForm);
    BindPrintCommands(*form1_, *PrintForm, *cardExports_);
    new SettingsCommands(*form1_, *SetForm);    // owned by the main window
    new HistoryCommands(*form1_, *HistoryForm); // owned by the main window
    new SyncCommands(*form1_, *ConflictForm);   // owned by the main window
    new ImportCommands(*form1_);                // owned by the main window
    new OverviewCommands(*form1_, *prompts_);   // owned by the main window
}
