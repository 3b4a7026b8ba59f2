#pragma once

#include "core/CardSearch.h"
#include "storage/AppState.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records what a content search reports. With a program state it can pull
// SearchRunning down after a number of cards, as closing the dialog does;
// onProgress, when set, runs at every progress report.
class SearchRecorder : public SearchListener {
public:
    explicit SearchRecorder(AppState* state = nullptr) : state_(state) {}
    QStringList results;
    QList<int> progress;
    int stopAfterCards = -1;
    std::function<void(int cardsDone)> onProgress;

    void resultFound(const QString& entry) override { results << entry; }
    void progressed(int cardsDone) override {
        progress << cardsDone;
        if (onProgress)
            onProgress(cardsDone);
        if (state_ && cardsDone == stopAfterCards)
            state_->SearchRunning = false;
    }

private:
    AppState* state_;
};
