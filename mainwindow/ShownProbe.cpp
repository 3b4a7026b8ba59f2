#include "mainwindow/ShownProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>

bool ShownProbe::Wanted() {
    return qEnvironmentVariableIsSet("KARTOTEKA_QUIT_WHEN_SHOWN");
}

ShownProbe::ShownProbe(QWidget* window) : QObject(window) {
    window->winId(); // makes the native window, so that its exposure can be watched
    window->windowHandle()->installEventFilter(this);
}

bool ShownProbe::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window && window->isExposed()) {
        window->removeEventFilter(this);
        std::puts("shown");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }
    return false;
}
