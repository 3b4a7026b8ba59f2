#pragma once

// Events a test sends to a window, and the events it lets the window handle.

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QEventLoop>
#include <QList>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

// Drags these local files onto target and drops them there, as the desktop
// does; whether target accepted the drag.
inline bool dropFiles(QWidget& target, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    return enter.isAccepted();
}

// Handles every event that is due now: posted events (layouts, queued calls,
// deferred deletes), the events those post in turn, and timers that are due.
// A test that shows that "nothing arrives later" runs this and then looks:
// what could still arrive would need a new outside event. It takes as many
// passes as the events need, not a length of time, so a slow machine gets the
// same result.
inline void handlePendingEvents() {
    // Each pass handles what the pass before it posted; widgets post at most a
    // few rounds of follow-up events (layout, then geometry, then scrolling).
    constexpr int kPasses = 8;
    for (int pass = 0; pass < kPasses; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}
