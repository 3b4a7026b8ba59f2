#pragma once

// The open card: which card file is open, whether the editor holds changes not
// yet saved, and every sequence that moves a card between its card file, the
// working directory and the editor (open, save, revert, rename, delete and the
// picture member's file steps). It holds no widget; the editor, the card list
// and the user are reached through CardEditor, CardListView and Prompts.
//
// Folder rule: core/ holds the widget-free formats and engines. It may include
// storage/ and core/ only; Qt Gui images are allowed, widgets never.

#include "core/CardFileStamp.h"
#include "storage/CardVersionReader.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class CardConflictChooser;
class CardEditor;
class CardListView;
class CardWriter;
class Prompts;
class QImage;
struct AppState;
struct VersionAnswer;
struct VersionQuestion;

class OpenCard {
public:
    OpenCard(AppState& state, Prompts& prompts, CardEditor& editor, CardListView& list);
    ~OpenCard();

    // The card file chosen last for opening; empty until then.
    const QString& CurrentCardPath() const { return currentCardPath_; }
    // The open card's name.
    const QString& CurrentCardName() const { return currentCardName_; }
    // A card is open in the editor.
    bool CardLoaded() const { return cardLoaded_; }
    // The open card has changes not yet in its card file.
    bool Modified() const { return modified_; }
    // An edit in the editor changed the card.
    void markModified() { modified_ = true; }

    // Opens the card file selected in the card list (nothing without a selection).
    void openSelected();
    // Opens the card file at cardPath: offers to save the changes of the card
    // open until now, empties the working directory, unpacks the card file and
    // loads its members into the editor. A missing or unreadable card file
    // leaves no card open.
    void Open(const QString& cardPath);
    // The open's two halves: leaving the card open until now (the offer to save
    // its changes) and loading cardPath into the editor.
    void leaveCard();
    void load(const QString& cardPath);
    // Saves the editor's content into the open card's file, the very file that
    // was opened. When that file has vanished, asks whether to write it again;
    // No saves nothing. When another program changed the file since it was
    // opened, nothing is written before the user chooses (CardConflictChooser):
    // keep mine (theirs goes to the card's history, as every replaced card
    // file does), take theirs (mine goes to the history, theirs is loaded),
    // or join both (mine goes to the history, the joined card is loaded as
    // unsaved changes and the command that saved stops there).
    void save();
    // The unsaved-changes rule shared by the open and the exit: saves without
    // asking with AutoSave on, otherwise asks.
    void offerToSaveChanges();
    // The exit's part: the card named by CurrentCardPath is offered to be saved.
    void offerToSaveBeforeExit();
    // Opens the card file again, dropping every unsaved change.
    void revert();
    // Asks for a new name and gives it to the open card: its members and its
    // card file take the name, the card is saved under it and opened again. A
    // listed name, or one a new card file could not have, is refused before
    // anything changes; a card file that cannot be moved, or a save that fails,
    // leaves the card file and the open card under the old name. The card's
    // history folder moves with its card file.
    void rename();
    // Deletes the open card's file and leaves no card open. False, with the
    // message shown, when the card file is missing. The card's history stays,
    // so a card file brought back under its name has its versions again.
    bool DeleteCardFile();
    // After the delete: tells the user when the card file is still there.
    void reportUndeletedCardFile();

    // The picture member's file steps. Each marks the card modified when the
    // member changed and shows the picture the card now holds.
    // Loads the picture file at path (JPEG or BMP), fitted, as the picture member.
    void selectPicture(const QString& path);
    // Stores image, fitted, as the picture member.
    void pastePicture(const QImage& image);
    // Removes the picture member.
    void removePicture();
    // The picture member's path in the working directory.
    QString picturePath() const;

    // The history folder of the card file chosen last for opening (CardHistory.h).
    QString historyFolder() const;
    // Puts an earlier version's table, notes and picture into the editor as
    // unsaved changes: the picture member's file in the working directory is
    // written (or removed when the version has no picture) as the picture
    // steps do, and the card is marked modified. Nothing without an open card.
    void restoreVersion(const CardVersionContent& version);

    // Leaves no card open (the start-up state).
    void closeCard();

    // Who asks the user between two versions of the card; without one, a
    // Yes/No question keeps mine or saves nothing.
    void setConflictChooser(CardConflictChooser* chooser) { chooser_ = chooser; }
    // Told the card file's path after each save that wrote it.
    void setSavedListener(std::function<void(const QString&)> listener) {
        savedListener_ = std::move(listener);
    }
    // Follows what other programs did in the card folder, after the card list
    // changed (CardFolderModel::cardsChanged, with the file names added):
    // reloads the card when its file changed and it has no unsaved edits,
    // follows its file to a new name, and shows its new number. Returns the
    // quiet line the window shows about it; empty when there is nothing to say.
    QString followCardFile(const QStringList& addedFileNames);
    // Joins each of the sync tools' conflict copies of the open card into the
    // editor, as the user chooses; each copy dealt with moves into the card's
    // history. Returns the quiet line about it; empty when nothing was done.
    QString resolveConflictCopies();

private:
    void loadCardMembers();
    void loadTableMember();
    void loadNotesMember();
    void closeUnreadableCard();
    void refuseUnstorableText();
    bool writeVanishedCardFileAgain();
    QString renameProblem(const QString& newName) const;
    void saveUnderNewName(const QString& oldName, const QString& oldPath, const QString& newName);
    void moveHistory(const QString& oldFileName, const QString& newFileName);
    // Puts the open card back under its old name; false when its card file
    // stays under the new one.
    bool keepOldName(const QString& oldName, const QString& oldPath, const QString& newName,
                     bool cardFileMoved);
    void restorePicture(const QByteArray& bitmap);

    // Versions of the card (OpenCardVersions.cpp).
    void rememberCardFileVersion();
    CardVersionContent editorContent() const;
    bool checkCardFileBeforeSave();
    VersionAnswer askVersion(const VersionQuestion& question);
    void keepEditorVersionInHistory();
    void reloadCard();
    QString followVanishedCardFile(const QStringList& addedFileNames);
    QString followChangedCardFile(const CardFileStamp& now);
    void followRename(const QString& newFileName);
    AppState& state_;
    Prompts& prompts_;
    CardEditor& editor_;
    CardListView& list_;

    QString currentCardPath_;
    QString currentCardName_;
    bool cardLoaded_ = false;
    bool modified_ = false;
    // The archive writer of the last save, kept until the next save replaces it.
    std::unique_ptr<CardWriter> keptWriter_;
    // The card file as opened or last saved: its stamp, and its content, the
    // base that the editor's and another program's changes are joined on.
    std::optional<CardFileStamp> cardFileStamp_;
    CardVersionContent cardFileContent_;
    // What the window was last told about the card file, so it is told once.
    std::optional<CardFileStamp> noticedStamp_;
    bool noticedVanished_ = false;
    CardConflictChooser* chooser_ = nullptr;
    std::function<void(const QString&)> savedListener_;
};
