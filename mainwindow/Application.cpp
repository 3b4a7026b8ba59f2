#include "mainwindow/Application.h"

#include "mainwindow/QtPrompts.h"
#include "mainwindow/SettingsCommands.h"
#include "mainwindow/ShownProbe.h"
#include "mainwindow/TForm1.h"
#include "settings/StoredColor.h"
#include "settings/TSetForm.h"

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
    form1_ = std::make_unique<TForm1>(state_, *prompts_, [this](int code) { EndProcess(code); });
    if (ended_)
        return false;
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
    window->setAutoFillBackground(true);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, ColorFromStored(storedColor));
    window->setPalette(palette);
}

} // namespace

// Placeholders for the six dialogs, each a window of the right caption and
// size taking the background colour, until their own classes replace them.
void Application::CreateDialogs() {
    const auto placeholder = [this](const char* name, const QString& caption, QSize size) {
        auto* dialog = new QDialog(form1_.get());
        dialog->setObjectName(QString::fromLatin1(name));
        dialog->setWindowTitle(caption);
        dialog->setFixedSize(size);
        PaintBackground(dialog, state_.BackColor);
        return dialog;
    };
    SetForm = new TSetForm(state_, *prompts_, *form1_, form1_.get());
    AboutForm = placeholder("AboutForm", QStringLiteral("O Kartotéce"), {420, 300});
    AddForm = placeholder("AddForm", QStringLiteral("Nový soubor"), {360, 130});
    DelForm = placeholder("DelForm", QStringLiteral("Odstranit ?"), {360, 130});
    FindForm = placeholder("FindForm", QStringLiteral("Najít soubor"), {560, 420});
    PrintForm = placeholder("PrintForm", QStringLiteral("Tisk"), {640, 480});
}

// The commands of the dialogs and of the other parts of the program are bound
// to the main window's actions here (TForm1::Bind).
void Application::ConnectCommands() {
    // The dialogs that take a new background colour at once (the print
    // dialog takes it whenever it is shown).
    QObject::connect(form1_.get(), &TForm1::backColorChanged, form1_.get(), [this](qint32 color) {
        for (QDialog* dialog : {SetForm, AboutForm, AddForm, DelForm, FindForm})
            PaintBackground(dialog, color);
    });
    new SettingsCommands(*form1_, *SetForm); // owned by the main window
}
