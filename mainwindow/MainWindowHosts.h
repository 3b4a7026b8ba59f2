#pragma once

// The main window as the other windows see it: each class implements the host
// interface of one window over TForm1 and its parts.

#include "mainwindow/CardFileDialog.h"
#include "overview/OverviewHost.h"
#include "print/PrintSource.h"
#include "search/SearchHost.h"

class TForm1;

// The card file dialogs' view: the open card, the prompts and the card list.
class MainWindowCardFileHost : public CardFileHost {
public:
    explicit MainWindowCardFileHost(TForm1& form) : form_(form) {}

    AppState& appState() override;
    OpenCard& openCard() override;
    Prompts& prompts() override;
    void runCommand(const std::function<void()>& command) override;
    void reReadCardList() override;

private:
    TForm1& form_;
};

// The search's view: the card list List with its open action ListDblClick,
// the quick-search box Edit2 and the paths of the shared state.
class MainWindowSearchHost : public SearchHost {
public:
    explicit MainWindowSearchHost(TForm1& form) : form_(form) {}

    QStringList cardEntries() const override;
    void selectCardRow(int row) override;
    void openSelectedCard() override;
    QString programDir() const override;
    QString cardDir() const override;
    QString libraryPath() const override;
    QString quickSearchText() const override;
    void setQuickSearchText(const QString& text) override;
    QWidget& quickSearchField() const override;

private:
    TForm1& form_;
};

// The print dialog's view: the open card exactly as the editor shows it now,
// unsaved edits included, the card list, the working directory and the
// window's printer.
class MainWindowPrintSource : public PrintSource {
public:
    explicit MainWindowPrintSource(TForm1& form) : form_(form) {}

    QString currentCardName() const override;
    QStringList cardList() const override;
    QStringList titleCaptions() const override;
    QStringList tableRows() const override;
    QString notesText() const override;
    QFont notesFont() const override;
    QImage picture() const override;
    QString workDir() const override;
    QPrinter& printer() override;

private:
    TForm1& form_;
};

// The overview's view: the card list List with its open action ListDblClick,
// the window, and word of the card list's changes and of the open card's saves.
class MainWindowOverviewHost : public OverviewHost {
    Q_OBJECT
public:
    explicit MainWindowOverviewHost(TForm1& form);

    QStringList cardEntries() const override;
    void openCard(const QString& fileName) override;
    void bringToFront() override;
    AppState& appState() override;

private:
    TForm1& form_;
};
