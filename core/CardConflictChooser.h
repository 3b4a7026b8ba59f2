#pragma once

#include "core/CardJoin.h"

#include <QList>
#include <QString>

// The user's choice between two versions of the open card: the editor's
// ("mine") and one another program or computer wrote ("theirs").
enum class VersionChoice { Join, KeepMine, TakeTheirs, Cancel };

struct VersionQuestion {
    enum class Cause {
        // The card file changed on disk while the card had unsaved edits.
        ChangedElsewhere,
        // A sync tool kept the other computer's version as a conflict copy.
        ConflictCopy,
    };
    Cause cause = Cause::ChangedElsewhere;
    QString cardName;
    QString copyFileName; // the conflict copy's file name (ConflictCopy)
    const CardJoin* join = nullptr;
};

struct VersionAnswer {
    VersionChoice choice = VersionChoice::Cancel;
    // For Join: the side taken for each of join->conflicts().
    QList<JoinSide> picks;
};

// Asks the user which version to keep, or how to join them: the dialog of
// the conflict/ folder; tests answer from a script.
class CardConflictChooser {
public:
    virtual ~CardConflictChooser() = default;
    virtual VersionAnswer choose(const VersionQuestion& question) = 0;
};
