#include "print/PrintJobInputLock.h"

#include "widgets/UserInput.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

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
    using namespace userinput;
    const QEvent::Type type = event->type();
    if (isPointerInput(type))
        return !isAbortButton(watched);
    if (isKeyInput(type))
        return !(static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && inDialog(watched));
    return isOtherInput(type);
}
