#pragma once

#include <QString>

namespace temporarycards {

// A save writes its card file under a temporary name first (cardarchive::temporaryCardPath:
// "." + file name + ".tmp-" + pid). A process killed during a save leaves that
// file behind, hidden from the card list. This removes, in cardDir, the
// temporary card files whose process no longer runs; those of running
// processes (another instance saving right now) stay. So do the private
// folders of new cards being imported (NewCardBatch) whose process is gone,
// with what is in them. Returns how many went.
int removeStaleTemporaryCards(const QString& cardDir);

} // namespace temporarycards
