#pragma once

#include <QObject>
#include <functional>

// While a search runs with its dialog hidden (the quick search), the windows
// keep repainting but take no input: a click or key in the middle of the search
// could change the card or end the program. Only Esc acts: it stops the search.
// Lives for the duration of the search.
class SearchInputGuard : public QObject {
    Q_OBJECT
public:
    explicit SearchInputGuard(std::function<void()> onEscape);
    ~SearchInputGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onEscape_;
};
