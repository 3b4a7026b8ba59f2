#include "mainwindow/TForm1.h"

#include "mainwindow/CardList.h"
#include "mainwindow/CommandGuard.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Prompts.h"
#include "mainwindow/Resources.h"
#include "storage/AppState.h"
#include "storage/CardArchive.h"
#include "storage/Cp1250.h"
#include "storage/FileNames.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"

#include <QFileInfo>

namespace {

const QString ApplicationTitle = QStringLiteral("Pelvarin Kartotéka");

// The card name of a card file: its file name without the last four
// characters (".krt"); empty for an empty path.
QString CardNameOf(const QString& cardPath) {
    const QString fileName = QFileInfo(cardPath).fileName();
    return fileName.left(qMax<qsizetype>(0, fileName.size() - 4));
}

bool CardFileExists(const QString& cardPath) {
    const QFileInfo info(cardPath);
    return !cardPath.isEmpty() && filenames::exists(info.absolutePath(), info.fileName());
}

} // namespace

void TForm1::ListDblClick() {
    const QString chosen = List->FileName();
    if (chosen.trimmed().isEmpty())
        return;
    state_.CurrentCardName = CardNameOf(state_.CurrentCardPath);
    OfferToSaveChanges();
    ClearWorkDir(state_.WorkDir);
    state_.CurrentCardPath = chosen;
    if (!CardFileExists(state_.CurrentCardPath)) {
        // The card shown until now has left the working directory and no longer
        // has its path: left open, its further edits could never be saved.
        CloseUnreadableCard();
        prompts_.message(QStringLiteral("(L) Soubor nenalezen - ") + state_.CurrentCardPath);
        return;
    }
    state_.CurrentCardName = CardNameOf(state_.CurrentCardPath);
    ShowCardTitle();
    try {
        LoadCardMembers();
    } catch (...) {
        CloseUnreadableCard();
        throw;
    }
    state_.CardLoaded = true;
    UpdateWindowState();
    // Loading the table and the notes ran their change notifications.
    state_.Modified = false;
}

void TForm1::LoadCardMembers() {
    UnpackCard(state_.libraryPath(), state_.CurrentCardPath, state_.WorkDir);
    const QString& work = state_.WorkDir;
    const QString name = state_.CurrentCardName;

    const QString table = name + QStringLiteral(".tbl");
    if (filenames::exists(work, table)) {
        ListB->SetStrings(LoadTable(work + table));
    } else {
        ListB->Clear();
        SaveTable(work + table, ListB->Strings());
        ListB->SetStrings(LoadTable(work + table));
    }
    ListB->setVisible(true);

    const QString notes = name + QStringLiteral(".txt");
    if (filenames::exists(work, notes)) {
        Memo1->SetText(LoadNotes(work + notes));
    } else {
        Memo1->clear();
        SaveNotes(work + notes, Memo1->Text());
        Memo1->SetText(LoadNotes(work + notes));
    }

    ShowPictureFile(filenames::existingPath(work, name + QStringLiteral("1.bmp")));
}

void TForm1::CloseUnreadableCard() {
    // The card file named in the title could not be read: with no card open,
    // no later save can pack another card's content into it.
    ListB->Clear();
    Memo1->clear();
    ShowNoPicture();
    state_.CardLoaded = false;
    UpdateWindowState();
    state_.Modified = false;
}

void TForm1::ShowPictureFile(const QString& path) {
    // A picture member that is not a readable bitmap stays in the working
    // directory (and in the card file), only NSELECT shows for it.
    if (path.isEmpty() || !Image1->LoadBitmapFile(path))
        ShowNoPicture();
}

void TForm1::ShowNoPicture() {
    Image1->SetPicture(resources::NselectBitmap());
}

void TForm1::ShowCardTitle() {
    const int number = List->IndexOf(state_.CurrentCardName + QStringLiteral(".krt")) + 1;
    setWindowTitle(ApplicationTitle + QStringLiteral(" - (") + QString::number(number) +
                   QStringLiteral(") ") + state_.CurrentCardName);
}

void TForm1::OfferToSaveChanges() {
    if (!state_.Modified)
        return;
    if (state_.AutoSave || prompts_.ask(QStringLiteral("Uložit změny v \"") +
                                        state_.CurrentCardName + QStringLiteral("\" ?")))
        SpeedButton3Click();
}

void TForm1::SpeedButton3Click() {
    if (!state_.CardLoaded)
        return;
    if (!CardFileExists(state_.CurrentCardPath)) {
        prompts_.message(QStringLiteral("(S) Soubor nenalezen - ") + state_.CurrentCardPath);
        return;
    }
    RefuseUnstorableText();
    const QString& work = state_.WorkDir;
    const QString name = state_.CurrentCardName;
    SaveTable(work + name + QStringLiteral(".tbl"), ListB->Strings());
    SaveNotes(work + name + QStringLiteral(".txt"), Memo1->Text());
    // The writer of the previous save goes; this one is kept until the next.
    keptWriter_ = std::make_unique<CardWriter>();
    keptWriter_->PackCard(state_.libraryPath(), work, name,
                          state_.CardDir + name + QStringLiteral(".krt"));
    state_.Modified = false;
}

void TForm1::RefuseUnstorableText() {
    // Checked before anything is written, so that neither the members nor the
    // card file hold half of the card.
    const QString unstorable =
        cp1250::unencodable(ListB->Strings().join(QString()) + Memo1->Text());
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
