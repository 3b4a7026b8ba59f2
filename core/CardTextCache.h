#pragma once

#include "core/CardFileStamp.h"
#include "core/CardSearchText.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <mutex>
#include <optional>

// The text members that content searches have read, kept in memory so that a
// repeated search reads again only the card files that changed. Each entry is
// valid for one stamp of its card file (size, times, inode): a card file with
// another stamp is read afresh. Text only, bounded in size, never written to
// disk. Each card's text is kept in the forms the search matches
// (CardSearchText: the stored bytes, upper-cased and without accents), made
// once when the card is read. Safe to use from several threads at once.
class CardTextCache {
public:
    static constexpr qsizetype DefaultBudgetBytes = 160 * 1024 * 1024;

    explicit CardTextCache(qsizetype budgetBytes = DefaultBudgetBytes);

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
    // The same for the search: the text in every form it matches.
    std::optional<CardSearchText> findText(const QString& path, const CardFileStamp& stamp);
    void storeText(const QString& path, const CardFileStamp& stamp, qint64 readAtNs,
                   const CardSearchText& text);
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
        CardSearchText text;
        qsizetype bytes = 0;
    };
    void dropLocked(QHash<QString, Entry>::iterator entry);

    mutable std::mutex mutex_;
    QHash<QString, Entry> entries_;
    qsizetype budget_;
    qsizetype bytes_ = 0;
};
