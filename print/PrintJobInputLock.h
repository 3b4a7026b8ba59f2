#pragma once

#include <QObject>

class QEvent;
class QWidget;

// While it lives, the program takes from the user only what aborts a running
// print job: clicks on the abort button and Esc in the print dialog. The event
// loop runs during a job so that it can be aborted; any other click, key,
// shortcut, window close or drop meanwhile is dropped, so that no command of
// the main window (another card, another printer, the exit) runs mid-job.
class PrintJobInputLock : public QObject {
public:
    PrintJobInputLock(QWidget& dialog, QWidget& abortButton);
    ~PrintJobInputLock() override;

    PrintJobInputLock(const PrintJobInputLock&) = delete;
    PrintJobInputLock& operator=(const PrintJobInputLock&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inDialog(QObject* receiver) const;
    bool isAbortButton(QObject* receiver) const;

    QWidget& dialog_;
    QWidget& abortButton_;
};
