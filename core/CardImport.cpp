#include "core/CardImport.h"

#include "storage/AppError.h"
#include "storage/CardFileNames.h"
#include "storage/CardHistory.h"
#include "storage/NewCardBatch.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace {

// Rows named one by one in the closing message; the rest are counted.
constexpr int kMostNamedRows = 25;

// Cards packed before they are put in place together, with one wait for the
// disk: enough that the waits cost little, few enough that the card list fills
// steadily and an Esc is answered at once.
constexpr qsizetype kCardsPerBatch = 200;

QString rowLine(int row, const QString& reason) {
    return QStringLiteral("řádek %1: %2").arg(row).arg(reason);
}

QString nameTakenReason(const ImportedCard& card) {
    return QStringLiteral("karta \"%1\" již existuje").arg(card.name);
}

// The card names in the card folder (letter case ignored), read again for a
// batch only when the folder has changed since the import last looked, so that
// a card another program makes meanwhile under a name spelled otherwise is not
// doubled, without listing a large folder for every batch.
class TakenNames {
public:
    explicit TakenNames(const QString& cardDir) : cardDir_(cardDir) {}

    // Before the cards of a batch are put in place.
    void lookAgain() { lookedThisBatch_ = false; }

    bool contains(const QString& cardName) {
        if (!lookedThisBatch_) {
            const QDateTime changed = folderChanged();
            if (!read_ || changed != seenChange_) {
                names_ = cardimport::existingCardNames(cardDir_);
                read_ = true;
            }
            lookedThisBatch_ = true;
        }
        return names_.contains(cardName.toLower());
    }

    // After a batch: the import's own cards, put in place since the folder was read.
    void addPlaced(const QStringList& cardNames) {
        for (const QString& name : cardNames)
            names_.insert(name.toLower());
        seenChange_ = folderChanged();
    }

private:
    QDateTime folderChanged() const {
        return QFileInfo(cardDir_).fileTime(QFileDevice::FileModificationTime);
    }

    QString cardDir_;
    QSet<QString> names_;
    QDateTime seenChange_;
    bool read_ = false;
    bool lookedThisBatch_ = false;
};

class CardMaker {
public:
    explicit CardMaker(const CardImportTarget& target)
        : target_(target), batch_(target.libraryPath, target.cardDir), taken_(target.cardDir) {}

    // Packs the card's file, not yet in the card folder.
    void stage(const ImportedCard& card) {
        batch_.stage(card.name, tablefile::formatTable(card.table),
                     notesfile::formatNotes(card.notes));
        staged_.append(&card);
    }

    bool batchIsFull() const { return staged_.size() >= kCardsPerBatch; }

    // Puts the packed cards in place, counting them in result; a name taken
    // meanwhile is skipped like one taken before. Throws AppError on a card
    // file that cannot be put in place; those dealt with before are counted.
    void publish(CardImportResult& result, QList<std::pair<int, QString>>& skipped) {
        taken_.lookAgain();
        try {
            batch_.publish([this](const QString& cardName) { return mayPlace(cardName); });
        } catch (...) {
            count(result, skipped);
            batch_.discard();
            staged_.clear();
            throw;
        }
        count(result, skipped);
        staged_.clear();
    }

private:
    // A name taken meanwhile in another spelling leaves the card out; the
    // versions left by a deleted card of that name are not the new card's.
    bool mayPlace(const QString& cardName) {
        if (taken_.contains(cardName))
            return false;
        const QString fileName = cardfile::fileNameOf(cardName);
        if (!cardhistory::setAside(target_.historyDir, fileName))
            throw AppError(QStringLiteral("Historii dřívější karty nelze odložit: ") +
                           cardhistory::folderOf(target_.historyDir, fileName));
        return true;
    }

    void count(CardImportResult& result, QList<std::pair<int, QString>>& skipped) {
        const QList<NewCardBatch::Fate>& fates = batch_.fates();
        QStringList placed;
        for (qsizetype i = 0; i < fates.size(); ++i) {
            const ImportedCard& card = *staged_.at(i);
            if (fates.at(i) == NewCardBatch::Fate::Placed)
                placed << card.name;
            else
                skipped.append({card.row, nameTakenReason(card)});
        }
        result.made += int(placed.size());
        taken_.addPlaced(placed);
    }

    const CardImportTarget& target_;
    NewCardBatch batch_;
    TakenNames taken_;
    QList<const ImportedCard*> staged_;
};

void sortIntoResult(QList<std::pair<int, QString>>& skipped, CardImportResult& result) {
    std::stable_sort(skipped.begin(), skipped.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [row, reason] : skipped)
        result.skipped << rowLine(row, reason);
}

// Puts the packed cards in place; false, with the failure told after any
// told before (the one that ended the import early), when that fails.
bool publishBatch(CardMaker& maker, CardImportResult& result,
                  QList<std::pair<int, QString>>& skipped) {
    try {
        maker.publish(result, skipped);
        return true;
    } catch (const AppError& error) {
        if (!result.failure.isEmpty())
            result.failure += u'\n';
        result.failure += error.text();
        return false;
    }
}

} // namespace

namespace cardimport {

CardImportResult importCards(const CardImportTarget& target, const CardImportPlan& plan,
                             const std::function<bool(int done)>& goOn) {
    CardImportResult result;
    QList<std::pair<int, QString>> skipped; // row, reason
    CardMaker maker(target);
    for (qsizetype done = 0; done < plan.cards.size(); ++done) {
        if (goOn && !goOn(int(done))) {
            result.stopped = true;
            break;
        }
        const ImportedCard& card = plan.cards.at(done);
        if (card.fate != ImportFate::NewCard) {
            skipped.append({card.row, cardimport::skipReason(card)});
            continue;
        }
        try {
            maker.stage(card);
        } catch (const AppError& error) {
            result.failure = rowLine(card.row, error.text());
            break;
        }
        if (maker.batchIsFull() && !publishBatch(maker, result, skipped))
            break;
    }
    // What was packed before the end, an Esc or a failure is put in place too.
    publishBatch(maker, result, skipped);
    sortIntoResult(skipped, result);
    return result;
}

QString importSummary(const CardImportResult& result) {
    QString text = QStringLiteral("Vytvořeno karet: %1.").arg(result.made);
    if (result.stopped)
        text += QStringLiteral("\nImport byl přerušen.");
    if (!result.failure.isEmpty())
        text +=
            QStringLiteral("\nImport skončil chybou, další karty nevznikly:\n") + result.failure;
    if (result.skipped.isEmpty())
        return text;
    text += QStringLiteral("\nVynechané řádky (%1):").arg(result.skipped.size());
    for (const QString& line : result.skipped.mid(0, kMostNamedRows))
        text += u'\n' + line;
    if (result.skipped.size() > kMostNamedRows)
        text += QStringLiteral("\n… a dalších %1.").arg(result.skipped.size() - kMostNamedRows);
    return text;
}

} // namespace cardimport
