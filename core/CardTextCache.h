#pragma once

#include "core/CardFileStamp.h"
#include "core/CardSearchText.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

class FolderChangeWatch;

// The text members that content searches have read, kept in memory so that a
// repeated search reads again only the card files that changed. Each entry is
// valid for one stamp of its card file (size, times, inode): a card file with
// another stamp is read afresh. Text only, bounded in size, never written to
// disk. Each card's text is kept in the forms the search matches
// (CardSearchText: the stored bytes, upper-cased and without accents), made
// once when the card is read. Safe to use from several threads at once.
//
// A search need not stamp each card file again: the cache hears the changes in
// the folder searched (FolderChangeWatch). An entry whose card file was found
// unchanged, or read, while the watch was already listening, and of which the
// watch has heard nothing since, is trusted as it is. Any doubt (the watch lost
// changes, could not start, the folder is another, the card file is reached
// through a link) leaves the entry to be stamped.
class CardTextCache {
public:
    static constexpr qsizetype DefaultBudgetBytes = 160 * 1024 * 1024;
    using SharedText = std::shared_ptr<const CardSearchText>;

    explicit CardTextCache(qsizetype budgetBytes = DefaultBudgetBytes);
    ~CardTextCache();

    // The cache the program's searches share.
    static CardTextCache& shared();

    // The members kept for the card file at path, if they were read from it
    // while it had this stamp. An entry for another stamp is dropped.
    std::optional<CardTextMembers> find(const QString& path, const CardFileStamp& stamp);
    // Keeps the members read from the card file at path, which had this stamp
    // before they were read, at the wall-clock time readAtNs. Nothing is kept
    // when a later write could keep the stamp, or when there is no room: the
    // cache fills in the order cards are read and then keeps what it has, as a
    // search that reads every card in turn would otherwise push out each entry
    // before it is asked for again.
    void store(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
               CardTextMembers members);

    // Begins a search of the card files `names` in directory (with a trailing
    // "/"): takes what the folder's watch heard since the last search, starting
    // the watch when there is none for this folder. Returns the search's round,
    // which the look-ups below are given. The entries of the cards are then
    // found by their place in names, without their paths.
    quint64 beginSearch(const QString& directory, const QStringList& names);
    // The trusted texts of the cards names[from, to) of the search of `round`
    // into texts[0, to - from); the others are left as they are. One look at
    // the cache for them all.
    void findTrustedTexts(quint64 round, const QString& directory, const QStringList& names,
                          int from, int to, std::vector<SharedText>& texts);
    // find and store in the search of `round`, in the forms it matches: the
    // entry found or kept is trusted from now on when the watch listened
    // already at the stamp and no other search began meanwhile.
    SharedText findText(const QString& path, const CardFileStamp& stamp, quint64 round);
    void storeText(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                   SharedText text, quint64 round);
    // Whether the entry of the card file at path is trusted without a stamp.
    bool trusts(const QString& path) const;

    // Drops the entry of the card file at path.
    void drop(const QString& path);
    // Drops the entry of the card file at path and of any file whose name
    // differs from it only in letter case (one card to the user).
    void forget(const QString& path);
    // Drops every entry but those of the card files `fileNames` in `directory`
    // (with a trailing "/"): card files no longer listed are gone or renamed.
    void keepOnly(const QString& directory, const QStringList& fileNames);
    void clear();

    int entryCount() const;
    qsizetype bytes() const;
    bool holds(const QString& path) const;

private:
    struct Entry {
        CardFileStamp stamp;
        SharedText text;
        qsizetype bytes = 0;
        bool trusted = false;
        // Its place in the listing of the latest search, valid while that
        // listing is `listing`.
        quint64 listing = 0;
        int row = -1;
    };
    struct PathHash {
        size_t operator()(const QString& path) const { return qHash(path); }
    };
    // Node-based: an entry stays where it is while others come and go, so the
    // listing may point at it.
    using Entries = std::unordered_map<QString, Entry, PathHash>;

    Entry* listedEntryLocked(int row);
    void dropLocked(Entries::iterator entry);
    bool mayTrustLocked(const QString& path, const CardFileStamp& stamp, quint64 round) const;
    void restartWatchLocked(const QString& directory);

    mutable std::mutex mutex_;
    Entries entries_;
    qsizetype budget_;
    qsizetype bytes_ = 0;
    std::unique_ptr<FolderChangeWatch> watch_;
    quint64 round_ = 0; // 0: no search's round
    // The card files of the latest search and, by their place, the entries
    // found for them so far (null: not looked up yet, or none).
    quint64 listing_ = 0;
    QString listedDirectory_;
    QStringList listedNames_;
    std::vector<Entry*> listedEntries_;
};
