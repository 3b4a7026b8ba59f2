#include "search/QuickSearch.h"

#include "search/SearchHost.h"
#include "search/TFindForm.h"
#include "widgets/CommandGuard.h"

#include <QKeyEvent>
#include <QWidget>

QuickSearch::QuickSearch(SearchHost& host, TFindForm& form, Prompts& prompts, QObject* parent)
    : QObject(parent), showModal([](TFindForm& dialog) { dialog.exec(); }), host_(host),
      form_(form), prompts_(prompts) {
    host_.quickSearchField().installEventFilter(this);
}

void QuickSearch::findNext() {
    commandguard::runGuarded(prompts_, [this] { findOrStepOn(); });
}

void QuickSearch::showAdvancedSearch() {
    commandguard::runGuarded(prompts_, [this] { showDialog(); });
}

void QuickSearch::findOrStepOn() {
    SearchSession& session = form_.session();
    if (session.SearchRunning)
        return;
    const QString text = host_.quickSearchText();
    if (text.isEmpty()) {
        showDialog();
        return;
    }
    if (text != session.text()) {
        // Stopped with Esc, the session keeps no text and nothing is shown.
        if (form_.SearchCardFiles(text))
            showDialog();
        return;
    }
    if (!session.hasNext()) {
        host_.setQuickSearchText(QString());
        showDialog();
        return;
    }
    session.setPosition(session.position() + 1);
    form_.openSelectedResult();
}

void QuickSearch::showDialog() {
    showModal(form_);
    // The keyboard goes back to the main window at once, so that F3 walks on
    // even where no window manager hands the focus back to it.
    host_.quickSearchField().window()->activateWindow();
    // Text typed in the dialog but never searched must not pass for the text of
    // the results.
    form_.takeQuickSearchText();
}

bool QuickSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &host_.quickSearchField())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            findNext();
            return true;
        }
        if (key == Qt::Key_Escape) {
            host_.setQuickSearchText(QString());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        findNext();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
