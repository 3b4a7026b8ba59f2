#pragma once

#include "core/CardFolderListing.h"
#include "core/CardFolderWatch.h"

#include <QAbstractListModel>
#include <QImage>
#include <QThreadPool>

// What changed in the card list: the card files that came, went, or were
// replaced under their name by another program (a sync tool, a file manager),
// and whether the conflict copies waiting beside the cards changed. After
// the program's own re-read, `reread` is true and the lists are empty: any
// card may have changed.
struct CardFolderChange {
    QStringList added;
    QStringList removed;
    QStringList replaced;
    bool conflictCopiesChanged = false;
    bool reread = false;
};
Q_DECLARE_METATYPE(CardFolderChange)

// The card list's entries: the card files of the card folder (file names such
// as "Karta.krt"; CardFolderListing.h says which and in what order), kept up
// to date with what other programs do in the folder. A change is read on a
// worker thread and applied here as the rows that came and went, so the
// user-interface thread spends little on it even among 100,000 card files,
// and a view's selection stays on its card. Cards with conflict copies
// waiting carry a mark (decoration, tool tip, accessible text).
//
// Every part of the program that shows cards follows the folder through
// `cardsChanged`.
class CardFolderModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The conflict copies (file names) of a card, as a QStringList.
    static constexpr int ConflictCopiesRole = Qt::UserRole + 1;
    // More row changes than this at once are applied as one reset.
    static constexpr int kMostRowChanges = 64;

    explicit CardFolderModel(QObject* parent = nullptr);
    ~CardFolderModel() override;

    // Lists directory (with a trailing "/") with mask now and follows it.
    void setDirectory(const QString& directory, const QString& mask);
    const QString& directory() const { return directory_; }
    // Reads the folder again now, on this thread (after the program's own
    // new, deleted or renamed card file); the model is reset.
    void reread();
    // Also follows writes in place to the file at path (the open card's).
    void watchFile(const QString& path) { watch_.watchFile(path); }

    const QStringList& names() const { return listing_.names; }
    // The listing shown, which the next outside change is compared with.
    const CardFolderListing& listing() const { return listing_; }
    // The row of the card file name: the exact name first, then one that
    // differs in letter case only; -1 when it is not listed.
    int indexOf(const QString& name) const;
    // The conflict copies waiting for the card file name (file names).
    QStringList conflictCopiesOf(const QString& name) const;
    // Whether an outside change waits to be read or applied.
    bool busy() const { return watch_.pending() || listingRunning_; }
    // Outside changes applied so far (each a folder listing).
    int listingsApplied() const { return listingsApplied_; }
    // Whether the last reset came from an outside change, whose view keeps
    // its selection, rather than from reread(), which clears it.
    bool lastResetKeepsSelection() const { return resetKeepsSelection_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Applies a listing made on another thread from the listing that was
    // current at generation; a stale one is dropped and the folder listed
    // again. Public for the benchmark, which times the applying.
    void applyListing(const CardFolderListing& listing, const CardFolderDiff& diff,
                      quint64 generation);
    quint64 generation() const { return generation_; }

signals:
    // The list changed: after an outside change was applied, and after reread().
    void cardsChanged(const CardFolderChange& change);

private:
    void listInBackground();
    void applyRows(const CardFolderListing& listing, const CardFolderDiff& diff);
    void resetTo(const CardFolderListing& listing, bool keepsSelection);
    void markConflicts(const CardFolderListing& before);
    const QImage& conflictMark() const;

    QString directory_;
    QString mask_;
    CardFolderListing listing_;
    quint64 generation_ = 0;
    CardFolderWatch watch_;
    QThreadPool worker_;
    bool listingRunning_ = false;
    bool relistAfter_ = false;
    int listingsApplied_ = 0;
    bool resetKeepsSelection_ = false;
    mutable QImage conflictMark_;
};
