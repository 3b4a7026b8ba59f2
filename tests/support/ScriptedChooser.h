#pragma once

#include "core/CardConflictChooser.h"

#include <QList>
#include <QQueue>

// Answers the open card's questions between two versions from a queue (Cancel
// when it is empty) and records what was asked.
class ScriptedChooser : public CardConflictChooser {
public:
    struct Asked {
        VersionQuestion::Cause cause;
        QString cardName;
        QString copyFileName;
        QList<JoinConflict> conflicts;
    };
    QList<Asked> asked;
    QQueue<VersionAnswer> answers;

    VersionAnswer choose(const VersionQuestion& question) override {
        asked.append(
            {question.cause, question.cardName, question.copyFileName, question.join->conflicts()});
        return answers.isEmpty() ? VersionAnswer{} : answers.dequeue();
    }

    static VersionAnswer answer(VersionChoice choice, QList<JoinSide> picks = {}) {
        VersionAnswer given;
        given.choice = choice;
        given.picks = std::move(picks);
        return given;
    }
};
