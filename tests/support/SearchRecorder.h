#pragma once

#include "core/CardSearch.h"
#include "core/SearchSession.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records what a content search reports. With a search session it can pull
// SearchRunning down after a number of cards, as closing the dialog does;
// onProgress, when set, runs at every progress report.
class SearchRecorder : public SearchListener {
public:
    explicit SearchRecorder(SearchSession* session = nullptr) : session_(session) {}
    QStringList results;
    QList<int> progress;
    int stopAfterCards = -1;
    std::function<void(int cardsDone)> onProgress;

    void resultFound(const QString& entry) override { results << entry; }
    void progressed(int cardsDone) override {
        progress << cardsDone;
        if (onProgress)
            onProgress(cardsDone);
        if (session_ && cardsDone == stopAfterCards)
            session_->SearchRunning = false;
    }

private:
    SearchSession* session_;
};
