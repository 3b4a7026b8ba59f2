#pragma once

#include "core/CardSearch.h"

#include <QObject>
#include <QStringList>

// One search and what it left: the text and options searched, the card list
// entries found, the position of "find next" among them and the stop token.
// The search dialog and the quick search both watch it; neither reads the
// other's widgets. Holds no widgets.
class SearchSession : public QObject {
    Q_OBJECT
public:
    explicit SearchSession(QObject* parent = nullptr) : QObject(parent) {}

    // True while a search runs; clearing it stops the search before its next
    // card (the stop token).
    bool SearchRunning = false;

    // Starts a new search: forgets the text, the results and the position.
    void begin(const QString& text, const SearchOptions& options);
    // Appends entries found by the running search.
    void addResults(const QStringList& entries);
    // Ends the search. Only a search run to its end names its results with its
    // text; after a stop the partial results belong to no text.
    void finish(bool ranToEnd);
    // The results no longer belong to any text, so the next quick search with
    // any text searches anew.
    void forgetText();

    // The text whose results are held; empty when none.
    const QString& text() const { return text_; }
    const SearchOptions& options() const { return options_; }
    const QStringList& results() const { return results_; }
    // The result "find next" stands on; -1 for none.
    int position() const { return position_; }
    // Moves "find next" to `row` of the results; outside them means none.
    void setPosition(int row);
    // True when "find next" has a result after its position.
    bool hasNext() const { return position_ + 1 < results_.size(); }

signals:
    void resultsCleared();
    void resultsAdded(const QStringList& entries);
    void positionChanged(int row);
    void textChanged(const QString& text);

private:
    void setText(const QString& text);

    QString text_;
    QString searching_;
    SearchOptions options_;
    QStringList results_;
    int position_ = -1;
};
