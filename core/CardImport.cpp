#include "core/CardImport.h"

#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "storage/CardHistory.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// Rows named one by one in the closing message; the rest are counted.
constexpr int kMostNamedRows = 25;

QString rowLine(int row, const QString& reason) {
    return QStringLiteral("řádek %1: %2").arg(row).arg(reason);
}

class CardMaker {
public:
    explicit CardMaker(const CardImportTarget& target) : target_(target) {
        if (!stage_.isValid())
            throw AppError(QStringLiteral("Dočasnou složku pro import nelze vytvořit: ") +
                           stage_.errorString());
        stagePath_ = stage_.path() + u'/';
    }

    // False when a card file of the name already stands in the folder.
    bool make(const ImportedCard& card) {
        const QString fileName = cardfile::fileNameOf(card.name);
        const QString table = stagePath_ + cardfile::tableMember(card.name);
        const QString notes = stagePath_ + cardfile::notesMember(card.name);
        tablefile::SaveTable(table, card.table);
        notesfile::saveNotes(notes, card.notes);
        // Versions left by a deleted card of that name are not the new card's.
        if (!cardhistory::setAside(target_.historyDir, fileName))
            throw AppError(QStringLiteral("Historii dřívější karty nelze odložit: ") +
                           cardhistory::folderOf(target_.historyDir, fileName));
        const bool made = cardarchive::packNewCard(target_.libraryPath, stagePath_, card.name,
                                                   target_.cardDir + fileName);
        QFile::remove(table);
        QFile::remove(notes);
        return made;
    }

private:
    const CardImportTarget& target_;
    QTemporaryDir stage_;
    QString stagePath_;
};

} // namespace

namespace cardimport {

CardImportResult importCards(const CardImportTarget& target, const CardImportPlan& plan,
                             const std::function<bool(int done)>& goOn) {
    CardImportResult result;
    CardMaker maker(target);
    for (qsizetype done = 0; done < plan.cards.size(); ++done) {
        if (goOn && !goOn(int(done))) {
            result.stopped = true;
            return result;
        }
        const ImportedCard& card = plan.cards.at(done);
        if (card.fate != ImportFate::NewCard) {
            result.skipped << rowLine(card.row, cardimport::skipReason(card));
            continue;
        }
        try {
            if (maker.make(card))
                ++result.made;
            else
                result.skipped << rowLine(
                    card.row, QStringLiteral("karta \"%1\" již existuje").arg(card.name));
        } catch (const AppError& error) {
            result.failure = rowLine(card.row, error.text());
            return result;
        }
    }
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
