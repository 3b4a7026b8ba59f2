#include "print/PrintJobInputLock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isPointerInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
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

bool isKeyInput(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride;
}

// Input that acts without pointer or key reaching a control: shortcuts of
// actions, closing a window, dropping files, typing through an input method.
bool isOtherInput(QEvent::Type type) {
    switch (type) {
    case QEvent::Shortcut:
    case QEvent::Close:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

PrintJobInputLock::PrintJobInputLock(QWidget& dialog, QWidget& abortButton)
    : dialog_(dialog), abortButton_(abortButton) {
    QCoreApplication::instance()->installEventFilter(this);
}

PrintJobInputLock::~PrintJobInputLock() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PrintJobInputLock::inDialog(QObject* receiver) const {
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->window() == &dialog_;
    return receiver == dialog_.windowHandle();
}

// A click reaches the button through the dialog's native window first.
bool PrintJobInputLock::isAbortButton(QObject* receiver) const {
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget == &abortButton_ || abortButton_.isAncestorOf(widget);
    return receiver == dialog_.windowHandle();
}

bool PrintJobInputLock::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (isPointerInput(type))
        return !isAbortButton(watched);
    if (isKeyInput(type))
        return !(static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && inDialog(watched));
    return isOtherInput(type);
}
