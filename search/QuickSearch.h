#pragma once

#include <QObject>
#include <functional>

class Prompts;
class SearchHost;
class TFindForm;

// The toolbar's quick search: the box `Edit2` with find / find next. A new text
// is searched with the advanced-search dialog hidden and its results are then
// shown; pressing again with the same text opens the results one by one. While
// the search runs the box shows its progress; Esc stops it, and then nothing is
// shown and the next press searches again. The walk keeps no state of its own:
// the searched text, the results and the position are the dialog's search
// session.
//
// Wiring in the main window: `SpeedButton14` clicked and the menu item
// "Najít další" (F3) call findNext(); `SpeedButton13` clicked and the menu item
// "Vyhledávání" call showAdvancedSearch(). Enter, Esc and double-click in
// `Edit2` are handled here.
class QuickSearch : public QObject {
    Q_OBJECT
public:
    QuickSearch(SearchHost& host, TFindForm& form, Prompts& prompts, QObject* parent = nullptr);

    // Shows the dialog modally and returns when it is closed. exec() by default;
    // tests put a scripted user there.
    std::function<void(TFindForm&)> showModal;

public slots:
    // Find / find next.
    void findNext();
    // The advanced-search dialog, which then takes over the quick-search text.
    void showAdvancedSearch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findOrStepOn();
    void showDialog();

    SearchHost& host_;
    TFindForm& form_;
    Prompts& prompts_;
};
