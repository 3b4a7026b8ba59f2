#pragma once

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// What the card list shows of the card folder: the card files in list order
// (a case-insensitive name order in which "Čáp" stands beside "Cap"), and the
// sync tools' conflict copies set aside under the card they belong to
// (SyncConflictNames.h). Read without a window, on any thread.
struct CardFolderListing {
    QStringList names;    // card file names, in list order
    QStringList keys;     // the sort key of each name
    QList<quint64> files; // the file (inode) under each name, as the folder lists it
    // The conflict copies (file names) of each listed card file, in name order.
    QHash<QString, QStringList> conflictCopies;
};

// How one listing became the next: rows gone from the first (ascending),
// rows new in the second (ascending), and names listed in both that now name
// another file (a card file replaced, as sync tools replace them).
struct CardFolderDiff {
    QList<int> removedRows;
    QList<int> insertedRows;
    QStringList replaced;
    bool conflictCopiesChanged = false;

    bool isEmpty() const {
        return removedRows.isEmpty() && insertedRows.isEmpty() && replaced.isEmpty() &&
               !conflictCopiesChanged;
    }
};

namespace cardfolder {

// The list order's key of a card file name: letters without accents and
// without case; the name itself breaks ties.
QString sortKey(const QString& name);
// Whether a (name, key) stands before b in list order.
bool listedBefore(const QString& keyA, const QString& nameA, const QString& keyB,
                  const QString& nameB);

// Reads directory (with a trailing "/"): the plain, visible files whose names
// match mask (letter case ignored), without the sync tools' temporary files;
// a conflict copy whose card is there is set aside under it, one whose card
// is missing is listed as a card. A missing directory lists nothing.
CardFolderListing read(const QString& directory, const QString& mask);

// The difference between two listings of one folder.
CardFolderDiff diff(const CardFolderListing& before, const CardFolderListing& after);

} // namespace cardfolder

Q_DECLARE_METATYPE(CardFolderListing)
