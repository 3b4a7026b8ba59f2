#include "mainwindow/TForm1.h"

#include "widgets/CommandGuard.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Text controls claim keys such as Home, End, PgUp, PgDn and Ctrl+A for
        // themselves; the window's shortcuts win over them. Leaving the event
        // unaccepted lets the shortcut run.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this &&
            IsWindowShortcut(static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        break;
    }
    case QEvent::Resize:
        if (watched == Panel9)
            Panel9CanResize(Panel9->width(), Panel9->height());
        else if (watched == Panel10)
            Shape1->setGeometry(Panel10->rect());
        else if (watched == client_)
            PlaceWelcomeLabels();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::IsWindowShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* action : windowActions_) {
        if (IsAvailable(action) && action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the window by any means is the exit, which ends the process
    // itself or, when it stops, keeps the window open.
    if (processEnded_) {
        event->accept();
        return;
    }
    event->ignore();
    RunGuarded(prompts_, [this] { SpeedButton5Click(); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (filesDropped_ && !paths.isEmpty())
        RunGuarded(prompts_, [this, &paths] { filesDropped_(paths); });
}
