#include "mainwindow/Application.h"

#include "conflict/CardConflictDialog.h"
#include "core/OpenCard.h"
#include "core/ProgramInstance.h"
#include "core/StoredColor.h"
#include "history/THistoryForm.h"
#include "import/CsvImport.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/CommandRegistry.h"
#include "mainwindow/MainWindowHosts.h"
#include "mainwindow/SyncCommands.h"
#include "mainwindow/TAboutForm.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "mainwindow/UpdateCheck.h"
#include "overview/OverviewWindow.h"
#include "print/CardExports.h"
#include "print/TPrintForm.h"
#include "search/QuickSearch.h"
#include "search/TFindForm.h"
#include "settings/TSetForm.h"
#include "storage/ProgramDir.h"
#include "widgets/CommandGuard.h"
#include "widgets/DialogLook.h"
#include "widgets/QtPrompts.h"
#include "widgets/WebLinks.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>
#include <cstdio>

namespace {

// For measuring the start-up: when the window is first exposed on the screen,
// prints "shown" on standard output and ends the event loop. Installed only
// when the environment variable KARTOTEKA_QUIT_WHEN_SHOWN is set.
class ShownProbe : public QObject {
public:
    static bool wanted() { return qEnvironmentVariableIsSet("KARTOTEKA_QUIT_WHEN_SHOWN"); }

    explicit ShownProbe(QWidget* window) : QObject(window) {
        window->winId(); // makes the native window, so that its exposure can be watched
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            window->removeEventFilter(this);
            std::puts("shown");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return false;
    }
};

} // namespace

Application::Application(const QString& programDir, Prompts* prompts, ProcessEnd endProcess)
    : prompts_(prompts), endProcess_(std::move(endProcess)) {
    state_.programDir = programDir;
    if (!prompts_) {
        ownPrompts_ = std::make_unique<QtPrompts>();
        prompts_ = ownPrompts_.get();
    }
}

Application::~Application() = default;

bool Application::start() {
    if (!claimProgramDir())
        return false;
    form1_ = std::make_unique<TForm1>(state_, *prompts_, [this](int code) { endProcess(code); });
    if (ended_)
        return false;
    QObject::connect(instance_.get(), &ProgramInstance::showRequested, form1_.get(),
                     [this] { showMainWindow(); });
    createDialogs();
    createCommandParts();
    bindCommands();
    return true;
}

int Application::run() {
    if (ended_)
        return exitCode_;
    if (ShownProbe::wanted())
        new ShownProbe(form1_.get());
    form1_->show();
    running_ = true;
    const int code = QApplication::exec();
    running_ = false;
    return ended_ ? exitCode_ : code;
}

// A second program on this program directory would share its TEMP and save
// over its cards: it shows the first one's window instead and ends.
bool Application::claimProgramDir() {
    instance_ = std::make_unique<ProgramInstance>(state_.programDir);
    commandguard::runGuarded(*prompts_, [this] {
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
        endProcess(0);
    return claimed_;
}

void Application::showMainWindow() {
    form1_->setWindowState(form1_->windowState() & ~Qt::WindowMinimized);
    form1_->show();
    form1_->raise();
    form1_->activateWindow();
}

void Application::endProcess(int exitCode) {
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

void paintBackground(QWidget* window, qint32 storedColor) {
    dialoglook::setBackground(*window, storedcolor::colorFromStored(storedColor));
}

} // namespace

// The seven dialogs, created once in this order after the main window; all but
// the print dialog (which takes it whenever it is shown) take the background
// colour now, and again whenever it changes.
void Application::createDialogs() {
    TForm1& form = *form1_;
    const auto created = [this](auto* dialog, const char* name) {
        dialog->setObjectName(QString::fromLatin1(name));
        paintBackground(dialog, state_.BackColor);
        return dialog;
    };
    SetForm_ = created(new TSetForm(state_, *prompts_, form, &form), "SetForm");
    cardFileHost_ = std::make_unique<MainWindowCardFileHost>(form);
    AboutForm_ = created(new TAboutForm(&form), "AboutForm");
    AddForm_ = created(new TAddForm(*cardFileHost_, &form), "AddForm");
    DelForm_ = created(new TDelForm(*cardFileHost_, &form), "DelForm");
    searchHost_ = std::make_unique<MainWindowSearchHost>(form);
    FindForm_ = new TFindForm(*searchHost_, *prompts_, &form);
    FindForm_->setObjectName(QStringLiteral("FindForm"));
    FindForm_->setBackColor(storedcolor::colorFromStored(state_.BackColor));
    printSource_ = std::make_unique<MainWindowPrintSource>(form);
    PrintForm_ = new TPrintForm(state_, *prompts_, *printSource_, &form);
    PrintForm_->setObjectName(QStringLiteral("PrintForm"));
    HistoryForm_ = created(new THistoryForm(state_, form.card(), *prompts_, &form), "HistoryForm");
    ConflictForm_ = created(new CardConflictDialog(&form), "ConflictForm");

    QObject::connect(&form, &TForm1::backColorChanged, &form, [this](qint32 color) {
        for (QDialog* dialog : std::initializer_list<QDialog*>{
                 SetForm_, AboutForm_, AddForm_, DelForm_, FindForm_, HistoryForm_, ConflictForm_})
            paintBackground(dialog, color);
    });
}

// The parts that carry commands of their own beside the dialogs.
void Application::createCommandParts() {
    quickSearch_ = std::make_unique<QuickSearch>(*searchHost_, *FindForm_, *prompts_);
    cardExports_ = std::make_unique<CardExports>(state_, *prompts_, *printSource_, *PrintForm_);
    syncCommands_ = new SyncCommands(*form1_, *ConflictForm_);
    overviewHost_ = new MainWindowOverviewHost(*form1_);
    overview_ = new OverviewWindow(*overviewHost_, *prompts_, form1_.get());
    overview_->setObjectName(QStringLiteral("OverviewForm"));
}

// Every command of the program that needs more than the main window, bound
// to its id in one place; the main window binds its own (TForm1::bindOwnCommands).
void Application::bindCommands() {
    const QList<QPair<Command, std::function<void()>>> table = {
        {Command::NewCard, [this] { Add1Click(); }},
        {Command::DeleteCard, [this] { Delete1Click(); }},
        {Command::ImportCsv, [this] { importCsv(); }},
        {Command::CardHistory, [this] { showCardHistory(); }},
        {Command::ResolveConflict, [this] { syncCommands_->resolveConflict(); }},
        {Command::PrintCard, [this] { PrintForm_->printOpenCard(); }},
        {Command::PrintList, [this] { PrintForm_->printCardList(); }},
        {Command::SaveCardPdf, [this] { cardExports_->saveCardPdf(); }},
        {Command::SaveListPdf, [this] { cardExports_->saveListPdf(); }},
        {Command::ExportCsv, [this] { cardExports_->exportCsv(); }},
        {Command::PrinterSetUp, [this] { PrintForm_->printerSetUp(); }},
        {Command::FindNext, [this] { quickSearch_->findNext(); }},
        {Command::AdvancedSearch, [this] { quickSearch_->showAdvancedSearch(); }},
        {Command::Overview, [this] { overview_->showOverview(); }},
        {Command::CheckForUpdates, [this] { Zkontrolovataktualizace1Click(); }},
        {Command::Settings, [this] { Language1Click(); }},
        {Command::HomePage, [this] { Label5Click(); }},
        {Command::Help, [this] { Npovda1Click(); }},
        {Command::About, [this] { About1Click(); }},
    };
    CommandRegistry& commands = form1_->commands();
    for (const auto& [command, handler] : table)
        commands.bind(command, handler);
    QObject::connect(form1_.get(), &TForm1::supportLinkClicked, form1_.get(),
                     [this] { commandguard::runGuarded(*prompts_, [this] { Label8Click(); }); });
}

void Application::Add1Click() {
    AddForm_->exec();
}

void Application::Delete1Click() {
    DelForm_->showForCurrentCard();
}

void Application::showCardHistory() {
    if (!form1_->card().CardLoaded())
        return;
    HistoryForm_->showForOpenCard(form1_->titleCaptions());
}

void Application::Language1Click() {
    // Centred over the main window at every opening, wherever either was moved.
    SetForm_->setAttribute(Qt::WA_Moved, false);
    SetForm_->exec();
}

void Application::About1Click() {
    AboutForm_->exec();
}

void Application::Label5Click() {
    weblinks::openHomePage();
}

void Application::Label8Click() {
    weblinks::openSupportPage();
}

void Application::Npovda1Click() {
    weblinks::openHelp();
}

void Application::Zkontrolovataktualizace1Click() {
    updatecheck::checkForUpdates(state_.programDir, *prompts_);
}

// Asks for a CSV file, shows the preview "Import z CSV" and makes the new
// cards; the card list reads the folder again once, at the end.
void Application::importCsv() {
    const QString path =
        prompts_->openFile(csvimport::csvImportDialogTitle(), csvimport::csvImportFilters());
    if (path.isEmpty())
        return;
    const CardImportTarget target{state_.libraryPath(), state_.CardDir, state_.historyDir()};
    csvimport::importCsvFile(path, target, *prompts_, form1_.get(),
                             [this] { form1_->listPanel().reread(); });
}
