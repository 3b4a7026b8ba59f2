#include "search/SearchInputGuard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

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
    return isUserInput(event->type()) || QObject::eventFilter(watched, event);
}
