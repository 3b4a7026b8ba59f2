#pragma once

#include "core/CardImportPlan.h"

#include <QString>
#include <QStringList>

#include <functional>

// Where imported cards go.
struct CardImportTarget {
    QString libraryPath; // 7z.so
    QString cardDir;     // FILES, with "/"
    QString historyDir;  // HISTORY, with "/"
};

struct CardImportResult {
    int made = 0;
    QStringList skipped;  // "řádek N: reason", in the file's order
    QString failure;      // why writing stopped before the end; empty when it did not
    bool stopped = false; // stopped by the user
};

namespace cardimport {

// Writes a card file for every new card of the plan through the archive
// library, never over an existing file: a name taken meanwhile (letter case
// ignored) is skipped like one taken before. The members are made in memory,
// never in the working directory of the open card. The card files are written
// in batches (NewCardBatch): a card shows in the card folder only whole and
// flushed to the disk. goOn is told how many cards of the plan
// are done before each one and stops the import by returning false; the cards
// packed so far are put in place before it ends, and made counts every card
// put in place. A card file that cannot be written ends the import with
// failure set, naming it; the cards packed before it are put in place.
CardImportResult importCards(const CardImportTarget& target, const CardImportPlan& plan,
                             const std::function<bool(int done)>& goOn = {});

// The one message after an import: how many cards were made and which rows
// were left out and why (the first ones, when there are many).
QString importSummary(const CardImportResult& result);

} // namespace cardimport
