#include "core/SearchSession.h"

void SearchSession::begin(const QString& text, const SearchOptions& options) {
    setText(QString());
    searching_ = text;
    options_ = options;
    results_.clear();
    position_ = -1;
    emit resultsCleared();
    emit positionChanged(-1);
}

void SearchSession::addResults(const QStringList& entries) {
    if (entries.isEmpty())
        return;
    results_ += entries;
    emit resultsAdded(entries);
}

void SearchSession::finish(bool ranToEnd) {
    SearchRunning = false;
    setText(ranToEnd ? searching_ : QString());
    searching_.clear();
}

void SearchSession::forgetText() {
    setText(QString());
}

void SearchSession::setPosition(int row) {
    const int position = row >= 0 && row < results_.size() ? row : -1;
    if (position == position_)
        return;
    position_ = position;
    emit positionChanged(position_);
}

void SearchSession::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    emit textChanged(text_);
}
