#include "search/SearchInputGuard.h"

#include "widgets/UserInput.h"

#include <QCoreApplication>
#include <QKeyEvent>

SearchInputGuard::SearchInputGuard(std::function<void()> onEscape)
    : onEscape_(std::move(onEscape)) {
    QCoreApplication::instance()->installEventFilter(this);
}

SearchInputGuard::~SearchInputGuard() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool SearchInputGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        onEscape_();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Taken as a plain key press, which is then swallowed: no shortcut of
        // the main window fires, and Esc reaches the test above.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::Close && watched->isWindowType()) {
        // Closing the main window would run the exit in the middle of the search.
        event->ignore();
        return true;
    }
    // The closing of the search's own widgets (the dialog) goes through.
    const QEvent::Type type = event->type();
    const bool input = userinput::isPointerInput(type) || userinput::isKeyInput(type) ||
                       (userinput::isOtherInput(type) && type != QEvent::Close);
    return input || QObject::eventFilter(watched, event);
}
