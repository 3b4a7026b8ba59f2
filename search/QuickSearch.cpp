#include "search/QuickSearch.h"

#include "search/SearchHost.h"
#include "search/TFindForm.h"
#include "storage/AppState.h"
#include "widgets/CommandGuard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

QuickSearch::QuickSearch(SearchHost& host, TFindForm& form, Prompts& prompts, QObject* parent)
    : QObject(parent), showModal([](TFindForm& dialog) { dialog.exec(); }), host_(host),
      form_(form), prompts_(prompts) {
    host_.quickSearchBox()->installEventFilter(this);
}

void QuickSearch::FindNext() {
    RunGuarded(prompts_, [this] { findOrStepOn(); });
}

void QuickSearch::ShowAdvancedSearch() {
    RunGuarded(prompts_, [this] { showDialog(); });
}

void QuickSearch::findOrStepOn() {
    if (host_.appState().SearchRunning)
        return;
    QLineEdit* box = host_.quickSearchBox();
    const QString text = box->text();
    if (text.isEmpty()) {
        showDialog();
        return;
    }
    if (text != form_.Edit1->text()) {
        if (!form_.SearchCardFiles(text)) {
            // Stopped with Esc: the partial results belong to no text.
            form_.Edit1->clear();
            return;
        }
        showDialog();
        return;
    }
    const int count = form_.lBox->count();
    if (count == 0 || form_.selectedResult() == count - 1) {
        box->clear();
        showDialog();
        return;
    }
    form_.selectResult(form_.selectedResult() + 1);
    form_.OpenSelectedResult();
}

void QuickSearch::showDialog() {
    showModal(form_);
    // The keyboard goes back to the main window at once, so that F3 walks on
    // even where no window manager hands the focus back to it.
    host_.quickSearchBox()->window()->activateWindow();
    // Edit1 now names the text whose results lBox holds only if it equals Edit2;
    // text typed in the dialog but never searched must not pass for it.
    form_.Edit1->setText(host_.quickSearchBox()->text());
}

bool QuickSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != host_.quickSearchBox())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FindNext();
            return true;
        }
        if (key == Qt::Key_Escape) {
            host_.quickSearchBox()->clear();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        FindNext();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
