#pragma once

class QProgressBar;
class QWidget;

// What the user sees while a quick search runs with its dialog hidden: the
// hourglass, and a thin bar along the bottom of the quick-search box that
// follows the dialog's progress bar. Lives for the duration of the search.
class QuickSearchBusy {
public:
    QuickSearchBusy(QWidget& box, const QProgressBar& progress);
    ~QuickSearchBusy();
    QuickSearchBusy(const QuickSearchBusy&) = delete;
    QuickSearchBusy& operator=(const QuickSearchBusy&) = delete;

private:
    QProgressBar* bar_;
};
