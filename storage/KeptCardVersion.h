#pragma once

#include <QString>

// The save's part in the history: keeps the card file a save is about to
// replace as the card's newest version (CardHistory.h).
//
// Made right before the new card file is renamed over the old one. It links
// the old card file into the card's history folder under the current UTC
// moment (a copy where a hard link is impossible, as on another file system),
// so keeping a version costs no copy: after the rename the version is the old
// card file's data, the card file the new one. (A card file is only ever
// replaced, never written in place, which would change its version too.) A
// crash between the two steps leaves the old card file in place and one
// version equal to it, never a card file that is lost or half written.
//
// Should the save fail after that (the object goes while an exception leaves
// the save), the version is removed again, so a failed save keeps none. When
// the save succeeds, the history is pruned to the retention rule
// (HistoryRetention.h).
class KeptCardVersion {
public:
    // Keeps nothing when historyDir is empty (a new card file has no history)
    // or when no card file is at cardPath yet. Throws AppError, before the
    // card file is touched, when the version cannot be written.
    KeptCardVersion(const QString& historyDir, const QString& cardPath);
    ~KeptCardVersion();
    KeptCardVersion(const KeptCardVersion&) = delete;
    KeptCardVersion& operator=(const KeptCardVersion&) = delete;

    // The version made; empty when none was.
    const QString& path() const { return version_; }

private:
    QString folder_;
    QString version_;
    int exceptionsAtStart_;
};
