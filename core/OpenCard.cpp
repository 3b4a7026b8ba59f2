#include "core/OpenCard.h"

#include "core/CardEditor.h"
#include "core/CardListView.h"
#include "core/CardNameRules.h"
#include "core/CardTextCache.h"
#include "core/CommandAborted.h"
#include "core/FitPicture.h"
#include "core/PictureFile.h"
#include "core/Prompts.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"
#include "storage/CardFileNames.h"
#include "storage/CardHistory.h"
#include "storage/CardRename.h"
#include "storage/CardVersionReader.h"
#include "storage/Cp1250.h"
#include "storage/FileNames.h"
#include "storage/MoveToTrash.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"

#include <QFileInfo>
#include <QImage>

namespace {

bool cardFileExists(const QString& cardPath) {
    const QFileInfo info(cardPath);
    return !cardPath.isEmpty() && filenames::exists(info.absolutePath(), info.fileName());
}

} // namespace

OpenCard::OpenCard(AppState& state, Prompts& prompts, CardEditor& editor, CardListView& list)
    : state_(state), prompts_(prompts), editor_(editor), list_(list) {}

OpenCard::~OpenCard() = default;

void OpenCard::openSelected() {
    const QString chosen = list_.selectedPath();
    if (chosen.trimmed().isEmpty())
        return;
    Open(chosen);
}

void OpenCard::Open(const QString& cardPath) {
    leaveCard();
    load(cardPath);
}

void OpenCard::leaveCard() {
    currentCardName_ = cardfile::cardNameOf(currentCardPath_);
    offerToSaveChanges();
}

void OpenCard::load(const QString& cardPath) {
    workdir::ClearWorkDir(state_.WorkDir);
    currentCardPath_ = cardPath;
    if (!cardFileExists(currentCardPath_)) {
        // The card shown until now has left the working directory and no longer
        // has its path: left open, its further edits could never be saved.
        closeUnreadableCard();
        prompts_.message(QStringLiteral("(L) Soubor nenalezen - ") + currentCardPath_);
        return;
    }
    currentCardName_ = cardfile::cardNameOf(currentCardPath_);
    editor_.showCardTitle(currentCardPath_, currentCardName_);
    try {
        loadCardMembers();
        rememberCardFileVersion();
    } catch (...) {
        closeUnreadableCard();
        throw;
    }
    cardLoaded_ = true;
    editor_.updateWindowState();
    // Loading the table and the notes ran their change notifications.
    modified_ = false;
}

void OpenCard::loadCardMembers() {
    cardarchive::unpackCard(state_.libraryPath(), currentCardPath_, state_.WorkDir);
    loadTableMember();
    editor_.showTable();
    loadNotesMember();
    editor_.showPicture(
        filenames::existingPath(state_.WorkDir, cardfile::pictureMember(currentCardName_)));
}

// A card without a table member gets an empty one, written and read back as
// if it had been unpacked.
void OpenCard::loadTableMember() {
    const QString& work = state_.WorkDir;
    const QString table = cardfile::tableMember(currentCardName_);
    if (!filenames::exists(work, table)) {
        editor_.clearTable();
        tablefile::SaveTable(work + table, editor_.tableLines());
    }
    editor_.setTableLines(tablefile::LoadTable(work + table));
}

void OpenCard::loadNotesMember() {
    const QString& work = state_.WorkDir;
    const QString notes = cardfile::notesMember(currentCardName_);
    if (!filenames::exists(work, notes)) {
        editor_.clearNotes();
        notesfile::saveNotes(work + notes, editor_.notesText());
    }
    editor_.setNotesText(notesfile::loadNotes(work + notes));
}

void OpenCard::closeUnreadableCard() {
    // The card file named in the title could not be read: with no card open,
    // no later save can pack another card's content into it.
    editor_.clearTable();
    editor_.clearNotes();
    editor_.showPicture({});
    cardLoaded_ = false;
    cardFileStamp_.reset();
    editor_.updateWindowState();
    modified_ = false;
}

void OpenCard::closeCard() {
    cardLoaded_ = false;
    cardFileStamp_.reset();
    editor_.updateWindowState();
}

void OpenCard::offerToSaveChanges() {
    if (!modified_)
        return;
    if (state_.AutoSave || prompts_.ask(QStringLiteral("Uložit změny v \"") + currentCardName_ +
                                        QStringLiteral("\" ?")))
        save();
}

void OpenCard::offerToSaveBeforeExit() {
    currentCardName_ = cardfile::cardNameOf(currentCardPath_);
    offerToSaveChanges();
}

void OpenCard::save() {
    if (!cardLoaded_)
        return;
    // Tested under the exact name: a namesake differing only in case is another card.
    const bool vanished = !QFileInfo(currentCardPath_).isFile();
    if (vanished && !writeVanishedCardFileAgain())
        return;
    if (!vanished && !checkCardFileBeforeSave())
        return;
    refuseUnstorableText();
    const QString& work = state_.WorkDir;
    const QString name = currentCardName_;
    tablefile::SaveTable(work + cardfile::tableMember(name), editor_.tableLines());
    notesfile::saveNotes(work + cardfile::notesMember(name), editor_.notesText());
    // The writer of the previous save goes; this one is kept until the next.
    keptWriter_ = std::make_unique<CardWriter>();
    // The file that was opened, exactly: beside it may stand a namesake that
    // differs only in letter case, which is another card.
    keptWriter_->packCard(state_.libraryPath(), work, name, currentCardPath_, state_.historyDir());
    // The next content search reads the saved card afresh.
    CardTextCache::shared().forget(currentCardPath_);
    rememberCardFileVersion();
    modified_ = false;
    if (savedListener_)
        savedListener_(currentCardPath_);
}

bool OpenCard::writeVanishedCardFileAgain() {
    // Another program (a sync tool, say) removed the card file while the card
    // was open: the editor and the working directory still hold the card.
    return prompts_.ask(QStringLiteral("(S) Soubor nenalezen - ") + currentCardPath_ +
                        QStringLiteral("\nZapsat kartu znovu do tohoto souboru?"));
}

void OpenCard::refuseUnstorableText() {
    // Checked before anything is written, so that neither the members nor the
    // card file hold half of the card.
    const QString unstorable =
        cp1250::unencodable(editor_.tableLines().join(QString()) + editor_.notesText());
    if (unstorable.isEmpty())
        return;
    QStringList shown;
    for (const char32_t codePoint : unstorable.toUcs4()) {
        const QString code =
            QString::number(quint32(codePoint), 16).toUpper().rightJustified(4, u'0');
        shown << QStringLiteral("\"%1\" (U+%2)").arg(QString::fromUcs4(&codePoint, 1), code);
    }
    prompts_.message(QStringLiteral("Kartu nelze uložit: tyto znaky nelze do souboru zapsat: ") +
                     shown.join(QStringLiteral(", ")) +
                     QStringLiteral(".\nOdstraňte je z tabulky nebo z poznámek a uložte znovu."));
    throw CommandAborted();
}

void OpenCard::revert() {
    modified_ = false;
    // No entry selected when the card file has left the list: nothing is reloaded.
    list_.selectEntry(QFileInfo(currentCardPath_).fileName());
    openSelected();
}

void OpenCard::rename() {
    if (!cardLoaded_)
        return;
    const QString oldName = currentCardName_;
    const QString oldPath = currentCardPath_;
    const QString newName = prompts_.input(QStringLiteral("Přejmenovat"),
                                           QStringLiteral("Prosím napište nový název"), oldName);
    if (const QString problem = renameProblem(newName); !problem.isEmpty()) {
        prompts_.message(problem);
        return;
    }

    const QString newPath = state_.CardDir + cardfile::fileNameOf(newName);
    if (!cardrename::renameCardFiles(state_.WorkDir, oldName, newName, oldPath)) {
        // The save is not run here: it would have no card file to write to. The
        // card stays open under its old name, so its changes can still be saved.
        keepOldName(oldName, oldPath, newName, false);
        prompts_.message(QStringLiteral("(S) Soubor nenalezen - ") + newPath);
        return;
    }
    currentCardPath_ = newPath;
    currentCardName_ = newName;
    saveUnderNewName(oldName, oldPath, newName);

    list_.reread();
    list_.selectEntry(cardfile::fileNameOf(newName));
    openSelected();
}

QString OpenCard::renameProblem(const QString& newName) const {
    if (const QString problem = cardnames::renameProblem(newName, list_.entries());
        !problem.isEmpty())
        return problem;
    // A card file that came after the list was read must not be replaced either.
    if (cardnames::cardFileExists(state_.CardDir, newName))
        return cardnames::renameExistsMessage(newName);
    return {};
}

// The card file has its new name: its history follows it, then the save
// writes it. Should either fail, the card file, its history and the open card
// go back under the old name.
void OpenCard::saveUnderNewName(const QString& oldName, const QString& oldPath,
                                const QString& newName) {
    const QString oldFileName = QFileInfo(oldPath).fileName();
    const QString newFileName = cardfile::fileNameOf(newName);
    bool historyMoved = false;
    try {
        // Before the save, whose version belongs to the history under the new name.
        moveHistory(oldFileName, newFileName);
        historyMoved = true;
        save();
    } catch (...) {
        // Should the history not move back, the error shown stays the one that
        // stopped the rename; the versions are whole under the new name.
        if (keepOldName(oldName, oldPath, newName, true) && historyMoved)
            cardhistory::move(state_.historyDir(), newFileName, oldFileName);
        throw;
    }
}

void OpenCard::moveHistory(const QString& oldFileName, const QString& newFileName) {
    if (!cardhistory::move(state_.historyDir(), oldFileName, newFileName))
        throw AppError(QStringLiteral("Historii karty nelze přesunout: ") + state_.historyDir() +
                       oldFileName);
}

bool OpenCard::keepOldName(const QString& oldName, const QString& oldPath, const QString& newName,
                           bool cardFileMoved) {
    if (cardFileMoved) {
        const QFileInfo old(oldPath);
        // Should the card file not move back, it is still whole under the new
        // name: the open card and the list follow it there.
        if (!filenames::rename(old.path(), cardfile::fileNameOf(newName), old.fileName(), false)) {
            list_.reread();
            return false;
        }
    }
    // A member the rename could not move is still under the old name and is
    // not replaced.
    cardrename::renameCardMembers(state_.WorkDir, newName, oldName, false);
    currentCardPath_ = oldPath;
    currentCardName_ = oldName;
    return true;
}

bool OpenCard::DeleteCardFile() {
    const QString path = currentCardPath_;
    if (!QFileInfo::exists(path)) {
        prompts_.message(QStringLiteral("Chyba: soubor \"") + path +
                         QStringLiteral("\" neexistuje."));
        return false;
    }
    // To the desktop's trash, so that the file manager can bring it back.
    trash::moveToTrash(path);
    list_.reread();
    cardLoaded_ = false;
    editor_.updateWindowState();
    return true;
}

void OpenCard::reportUndeletedCardFile() {
    if (QFileInfo::exists(currentCardPath_))
        prompts_.message(QStringLiteral("Chyba: soubor \"") + currentCardPath_ +
                         QStringLiteral("\" stále existuje."));
}

void OpenCard::selectPicture(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        prompts_.message(QStringLiteral("Soubor nenalezen!"));
        return;
    }
    // Marked before decoding: a picture that fails to decode still counts as a change.
    modified_ = true;
    if (picturefile::storePictureFile(path, state_.WorkDir,
                                      cardfile::pictureMember(currentCardName_)))
        editor_.showPicture(picturePath());
}

void OpenCard::pastePicture(const QImage& image) {
    // Saved first, so that the box never shows a picture the card does not hold.
    picturefile::savePictureFile(picturefit::FitPicture(image), state_.WorkDir,
                                 cardfile::pictureMember(currentCardName_));
    editor_.showPicture(picturePath());
    modified_ = true;
}

void OpenCard::removePicture() {
    switch (
        picturefile::removePictureFile(state_.WorkDir, cardfile::pictureMember(currentCardName_))) {
    case PictureRemoval::NoPicture:
        return;
    case PictureRemoval::Failed:
        prompts_.message(QStringLiteral("Nastala chyba při odstraňování obrázku!"));
        return;
    case PictureRemoval::Removed:
        editor_.showPicture({});
        modified_ = true;
        return;
    }
}

QString OpenCard::picturePath() const {
    return state_.WorkDir + cardfile::pictureMember(currentCardName_);
}

QString OpenCard::historyFolder() const {
    return cardhistory::folderOf(state_.historyDir(), QFileInfo(currentCardPath_).fileName());
}

void OpenCard::restoreVersion(const CardVersionContent& version) {
    if (!cardLoaded_)
        return;
    // The picture first: should its file fail, the editor still shows the card
    // as it was.
    restorePicture(version.picture);
    editor_.setTableLines(version.table);
    editor_.setNotesText(version.notes);
    editor_.showPicture(version.picture.isEmpty() ? QString() : picturePath());
    modified_ = true;
}

void OpenCard::restorePicture(const QByteArray& bitmap) {
    const QString member = cardfile::pictureMember(currentCardName_);
    if (!bitmap.isEmpty()) {
        picturefile::savePictureBytes(bitmap, state_.WorkDir, member);
        return;
    }
    if (picturefile::removePictureFile(state_.WorkDir, member) == PictureRemoval::Failed)
        throw AppError(QStringLiteral("Nastala chyba při odstraňování obrázku!"));
}
