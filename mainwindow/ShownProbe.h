#pragma once

#include <QObject>

class QWidget;

// For measuring the start-up: when the window is first exposed on the screen,
// prints "shown" on standard output and ends the event loop. Installed only
// when the environment variable KARTOTEKA_QUIT_WHEN_SHOWN is set.
class ShownProbe : public QObject {
    Q_OBJECT
public:
    static bool Wanted();
    explicit ShownProbe(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
