// The open card among other programs: the version of its card file it was
// opened from, what happens when another program changes that file, and the
// sync tools' conflict copies of the card.

#include "core/OpenCard.h"

#include "core/CardConflictChooser.h"
#include "core/CardEditor.h"
#include "core/CardListView.h"
#include "core/CommandAborted.h"
#include "core/Prompts.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "storage/CardHistory.h"
#include "storage/CardRename.h"
#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/HistoryRetention.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"

#include <QFileInfo>

namespace {

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

// Taken right after the open or the save: what the card file holds is what
// the editor shows.
void OpenCard::rememberCardFileVersion() {
    cardFileStamp_ = cardstamp::of(currentCardPath_);
    cardFileContent_ = editorContent();
    noticedStamp_.reset();
    noticedVanished_ = false;
    list_.watchCardFile(currentCardPath_);
}

CardVersionContent OpenCard::editorContent() const {
    CardVersionContent content;
    content.table = editor_.tableLines();
    content.notes = editor_.notesText();
    const QString picture =
        filenames::existingPath(state_.WorkDir, cardfile::pictureMember(currentCardName_));
    if (!picture.isEmpty())
        content.picture = filebytes::read(picture);
    return content;
}

bool OpenCard::checkCardFileBeforeSave() {
    const std::optional<CardFileStamp> now = cardstamp::of(currentCardPath_);
    if (!now || !cardFileStamp_ || cardstamp::sameVersion(*now, *cardFileStamp_))
        return true;
    if (!modified_) {
        // Nothing of the user's would be written: their version is loaded.
        reloadCard();
        return false;
    }
    const CardVersionContent theirs =
        cardversionreader::readCardVersion(state_.libraryPath(), currentCardPath_);
    const CardJoin join(cardFileContent_, editorContent(), theirs);
    VersionQuestion question;
    question.cause = VersionQuestion::Cause::ChangedElsewhere;
    question.cardName = currentCardName_;
    question.join = &join;
    const VersionAnswer answer = askVersion(question);
    switch (answer.choice) {
    case VersionChoice::KeepMine:
        // The save goes on; the card file it replaces is kept in the history.
        return true;
    case VersionChoice::TakeTheirs:
        keepEditorVersionInHistory();
        load(currentCardPath_);
        return false;
    case VersionChoice::Join:
        keepEditorVersionInHistory();
        // Their version is the card file now, and the base of a later join.
        cardFileStamp_ = now;
        cardFileContent_ = theirs;
        restoreVersion(join.joined(answer.picks));
        // The joined card waits for F2 or F11: nothing more is saved, and no
        // other card is opened, nor the program ended, over it.
        throw CommandAborted();
    case VersionChoice::Cancel:
        break;
    }
    throw CommandAborted();
}

VersionAnswer OpenCard::askVersion(const VersionQuestion& question) {
    if (chooser_)
        return chooser_->choose(question);
    VersionAnswer answer;
    const bool keepMine = prompts_.ask(
        QStringLiteral("Soubor karty \"%1\" se mezitím změnil jinde. Ponechat vaši verzi? Ta "
                       "druhá zůstane v historii karty.")
            .arg(question.cardName));
    answer.choice = keepMine ? VersionChoice::KeepMine : VersionChoice::Cancel;
    return answer;
}

// The editor's card as a version in the card's history, packed like a save
// but beside the card file's versions, which it does not touch.
void OpenCard::keepEditorVersionInHistory() {
    refuseUnstorableText();
    const QString& work = state_.WorkDir;
    tablefile::SaveTable(work + cardfile::tableMember(currentCardName_), editor_.tableLines());
    notesfile::saveNotes(work + cardfile::notesMember(currentCardName_), editor_.notesText());
    const QString folder = cardhistory::folderOf(state_.historyDir(), fileNameOf(currentCardPath_));
    CardWriter writer;
    writer.packCard(state_.libraryPath(), work, currentCardName_,
                    cardhistory::newVersionPath(folder, QDateTime::currentDateTimeUtc()));
    historyretention::prune(folder);
}

// Read in memory first: a card file still being written stays for the next
// change to bring, and the card shown stays open meanwhile.
void OpenCard::reloadCard() {
    cardversionreader::readCardVersion(state_.libraryPath(), currentCardPath_);
    load(currentCardPath_);
}

QString OpenCard::followCardFile(const QStringList& addedFileNames) {
    if (!cardLoaded_)
        return {};
    QString notice;
    if (const std::optional<CardFileStamp> now = cardstamp::of(currentCardPath_); !now)
        notice = followVanishedCardFile(addedFileNames);
    else if (cardFileStamp_ && !cardstamp::sameVersion(*now, *cardFileStamp_))
        notice = followChangedCardFile(*now);
    // The card's number follows the list.
    if (cardLoaded_)
        editor_.showCardTitle(currentCardPath_, currentCardName_);
    list_.watchCardFile(currentCardPath_);
    return notice;
}

QString OpenCard::followVanishedCardFile(const QStringList& addedFileNames) {
    for (const QString& fileName : addedFileNames) {
        const std::optional<CardFileStamp> stamp = cardstamp::of(state_.CardDir + fileName);
        if (stamp && cardFileStamp_ && cardstamp::sameFile(*stamp, *cardFileStamp_)) {
            const QString oldName = currentCardName_;
            followRename(fileName);
            return QStringLiteral("Kartu „%1“ jiný program přejmenoval na „%2“.")
                .arg(oldName, currentCardName_);
        }
    }
    if (std::exchange(noticedVanished_, true))
        return {};
    return QStringLiteral("Soubor karty „%1“ odstranil jiný program. Karta zůstává otevřená; "
                          "uložením (F2) ji zapíšete znovu.")
        .arg(currentCardName_);
}

QString OpenCard::followChangedCardFile(const CardFileStamp& now) {
    if (noticedStamp_ == now)
        return {};
    noticedStamp_ = now;
    if (modified_)
        return QStringLiteral("Kartu „%1“ mezitím změnil jiný program. Vaše úpravy zatím nejsou "
                              "uloženy; při uložení vyberete, jak obě verze spojit.")
            .arg(currentCardName_);
    const QString name = currentCardName_;
    try {
        reloadCard();
    } catch (const AppError& error) {
        return QStringLiteral("Kartu „%1“ změnil jiný program, nový soubor ale zatím nelze "
                              "přečíst: %2")
            .arg(name, error.text());
    }
    return QStringLiteral("Kartu „%1“ změnil jiný program (například synchronizace); je "
                          "načtena znovu.")
        .arg(name);
}

// The card file was given a new name elsewhere: the members in the working
// directory and the card's history take it too, so the next save writes the
// card under it.
void OpenCard::followRename(const QString& newFileName) {
    const QString newName = cardfile::cardNameOf(newFileName);
    cardrename::renameCardMembers(state_.WorkDir, currentCardName_, newName, false);
    cardhistory::move(state_.historyDir(), fileNameOf(currentCardPath_), newFileName);
    currentCardPath_ = state_.CardDir + newFileName;
    currentCardName_ = newName;
}

QString OpenCard::resolveConflictCopies() {
    if (!cardLoaded_)
        return {};
    const QString fileName = fileNameOf(currentCardPath_);
    const QStringList copies = list_.conflictCopiesOf(fileName);
    if (copies.isEmpty()) {
        prompts_.message(QStringLiteral("Karta \"%1\" nemá žádnou kopii z konfliktu "
                                        "synchronizace.")
                             .arg(currentCardName_));
        return {};
    }
    int filed = 0;
    bool joined = false;
    for (const QString& copy : copies) {
        const QString copyPath = state_.CardDir + copy;
        const CardVersionContent theirs =
            cardversionreader::readCardVersion(state_.libraryPath(), copyPath);
        // The version both sides came from is unknown here: the card as
        // opened may be either side's, so every difference is asked.
        const CardJoin join(std::nullopt, editorContent(), theirs);
        VersionQuestion question;
        question.cause = VersionQuestion::Cause::ConflictCopy;
        question.cardName = currentCardName_;
        question.copyFileName = copy;
        question.join = &join;
        const VersionAnswer answer = askVersion(question);
        if (answer.choice == VersionChoice::Cancel)
            break;
        if (answer.choice != VersionChoice::KeepMine) {
            restoreVersion(answer.choice == VersionChoice::Join ? join.joined(answer.picks)
                                                                : theirs);
            joined = true;
        }
        cardhistory::adopt(state_.historyDir(), fileName, copyPath);
        ++filed;
    }
    if (filed == 0)
        return {};
    QString notice = filed == 1
                         ? QStringLiteral("Kopie z konfliktu synchronizace je v historii karty.")
                         : QStringLiteral("Kopie z konfliktu synchronizace (%1) jsou v historii "
                                          "karty.")
                               .arg(filed);
    if (joined)
        notice += QStringLiteral(" Spojená karta ještě není uložena: F2 ji uloží, F11 vrátí.");
    return notice;
}
