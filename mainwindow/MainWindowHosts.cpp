#include "mainwindow/MainWindowHosts.h"

#include "core/CardFolderModel.h"
#include "core/OpenCard.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/EditorPanel.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"
#include "widgets/CommandGuard.h"

#include <QLineEdit>

#include <QFileInfo>

AppState& MainWindowCardFileHost::appState() {
    return form_.state();
}

OpenCard& MainWindowCardFileHost::openCard() {
    return form_.card();
}

Prompts& MainWindowCardFileHost::prompts() {
    return form_.dialogs();
}

void MainWindowCardFileHost::runCommand(const std::function<void()>& command) {
    commandguard::runGuarded(form_.dialogs(), command);
}

void MainWindowCardFileHost::reReadCardList() {
    form_.listPanel().reread();
}

QStringList MainWindowSearchHost::cardEntries() const {
    return form_.listPanel().entries();
}

void MainWindowSearchHost::selectCardRow(int row) {
    form_.listPanel().selectRow(row);
}

void MainWindowSearchHost::openSelectedCard() {
    // The same open as a double-click on the list: it saves or asks about the
    // open card's changes first, and does nothing without a selection.
    form_.ListDblClick();
}

QString MainWindowSearchHost::programDir() const {
    return form_.state().programDir;
}

QString MainWindowSearchHost::cardDir() const {
    return form_.state().CardDir;
}

QString MainWindowSearchHost::libraryPath() const {
    return form_.state().libraryPath();
}

QString MainWindowSearchHost::quickSearchText() const {
    return form_.quickSearchBox()->text();
}

void MainWindowSearchHost::setQuickSearchText(const QString& text) {
    form_.quickSearchBox()->setText(text);
}

QWidget& MainWindowSearchHost::quickSearchField() const {
    return *form_.quickSearchBox();
}

QString MainWindowPrintSource::currentCardName() const {
    return form_.card().CurrentCardName();
}

QStringList MainWindowPrintSource::cardList() const {
    return form_.listPanel().entries();
}

QStringList MainWindowPrintSource::titleCaptions() const {
    return form_.editorPanel().titleCaptions();
}

QStringList MainWindowPrintSource::tableRows() const {
    return form_.editorPanel().tableLines();
}

QString MainWindowPrintSource::notesText() const {
    return form_.editorPanel().notesText();
}

QFont MainWindowPrintSource::notesFont() const {
    return form_.editorPanel().notesFont();
}

QImage MainWindowPrintSource::picture() const {
    return form_.editorPanel().picture();
}

QString MainWindowPrintSource::workDir() const {
    return form_.state().WorkDir;
}

QPrinter& MainWindowPrintSource::printer() {
    return form_.printer();
}

MainWindowOverviewHost::MainWindowOverviewHost(TForm1& form) : OverviewHost(&form), form_(form) {
    connect(&form_.listPanel().cards(), &CardFolderModel::cardsChanged, this,
            [this](const CardFolderChange& change) {
                emit cardListChanged(change.added + change.replaced);
            });
    form_.card().setSavedListener(
        [this](const QString& cardPath) { emit cardFileChanged(QFileInfo(cardPath).fileName()); });
}

QStringList MainWindowOverviewHost::cardEntries() const {
    return form_.listPanel().entries();
}

void MainWindowOverviewHost::openCard(const QString& fileName) {
    const int row = form_.listPanel().indexOf(fileName);
    if (row < 0)
        return;
    form_.listPanel().selectRow(row);
    // The same open as a double-click on the list: it saves or asks about the
    // open card's changes first.
    commandguard::runGuarded(form_.dialogs(), [this] { form_.ListDblClick(); });
}

void MainWindowOverviewHost::bringToFront() {
    if (form_.isMinimized())
        form_.showNormal();
    form_.raise();
    form_.activateWindow();
}

AppState& MainWindowOverviewHost::appState() {
    return form_.state();
}
