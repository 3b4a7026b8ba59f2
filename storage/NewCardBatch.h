#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class T7zPlugin;

// New card files written many at a time: as safe as a card save, but the disk
// is waited for once per batch instead of twice per card. Each card file is
// packed into a private folder inside the card folder (hidden, named
// ".import.tmp-" + pid + "-" + a unique part, open to this user alone), where
// the card list never sees it. publish() flushes the batch's files to the disk
// together, then moves each into the card folder under its card file name
// where nothing of exactly that name stands, and flushes the card folder once.
// So a card file is never seen half written, nothing is ever replaced, and
// after a crash a card is either there whole or not at all; what is left in
// the private folder goes at the next start (temporarycards::removeStaleTemporaryCards).
class NewCardBatch {
public:
    // What became of a staged card when the batch was published.
    enum class Fate {
        Placed,    // its card file is in the card folder
        NameTaken, // a file or folder of exactly its name stood there
        LeftOut,   // the caller's check said no
    };

    // cardDir: FILES, with "/". Throws AppError when the archive library cannot
    // be loaded or the private folder cannot be made.
    NewCardBatch(const QString& libraryPath, const QString& cardDir);
    // What is staged and not published is removed.
    ~NewCardBatch();
    NewCardBatch(const NewCardBatch&) = delete;
    NewCardBatch& operator=(const NewCardBatch&) = delete;

    // Packs a card file of cardName holding the table and notes members with
    // these bytes (as stored: tablefile::formatTable, notesfile::formatNotes), as
    // a card save would, into the private folder; nothing shows in the card folder
    // yet. Throws AppError naming the file when it cannot be written.
    void stage(const QString& cardName, const QByteArray& table, const QByteArray& notes);
    qsizetype stagedCount() const { return staged_.size(); }

    // Flushes the staged card files to the disk; then, in staging order, asks
    // mayPlace (when given) about each card, leaving it out on false, and puts
    // it in place; the card folder is flushed once after the last. The batch
    // is empty afterwards and fates() tells each staged card's fate. Throws
    // AppError naming the file when a card file cannot be flushed or moved
    // (or what mayPlace throws); fates() then holds the cards dealt with
    // before, and the rest stay staged until discard().
    void publish(const std::function<bool(const QString& cardName)>& mayPlace = {});
    const QList<Fate>& fates() const { return fates_; }

    // Removes the staged card files without putting any in place.
    void discard();

private:
    struct Staged {
        QString cardName;
        QString path;
    };

    void flushStaged();
    Fate place(const Staged& card, const std::function<bool(const QString&)>& mayPlace);

    std::shared_ptr<const T7zPlugin> library_;
    QString cardDir_;
    QTemporaryDir private_;
    QList<Staged> staged_;
    QList<Fate> fates_;
    quint64 written_ = 0; // staged card files so far, for unique names
    int flushFd_ = -1;    // the private folder, from the batch's first card file
};

namespace newcardfiles {

// Moves the file source to target only where nothing stands under exactly
// that name; false, moving nothing, when something does. Where the file system
// cannot rename without replacing, a hard link does the same. Throws AppError
// naming target on any other failure.
bool placeWithoutReplacing(const QString& source, const QString& target);

// Whether name is that of a private folder of NewCardBatch, and the id of the
// process that made it (0 when it is not such a name).
qint64 batchFolderProcess(const QString& name);

} // namespace newcardfiles
