#include "mainwindow/CardEditingCommands.h"

#include "mainwindow/CardList.h"
#include "mainwindow/EditorDropTarget.h"
#include "mainwindow/FitPicture.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/PictureChoice.h"
#include "mainwindow/PictureFile.h"
#include "mainwindow/Prompts.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

CardEditingCommands::CardEditingCommands(TForm1& form, AppState& state, Prompts& prompts)
    : QObject(&form), form_(form), state_(state), prompts_(prompts),
      dropTarget_(std::make_unique<EditorDropTarget>(form, *this)) {
    BindCommands();
}

CardEditingCommands::~CardEditingCommands() = default;

void CardEditingCommands::BindCommands() {
    form_.Bind(form_.Addline1, [this] { Addline1Click(); });
    form_.Bind(form_.Deleteline1, [this] { Delete2Click(); });
    form_.Bind(form_.Vybratobrzek1, [this] { Image1Click(); });
    form_.Bind(form_.Nastobrzekzeschrnky1, [this] { Nastzeschrnky1Click(); });
    form_.Bind(form_.Odstranitobrzek2, [this] { Odstranitobrzek1Click(); });
    form_.Bind(form_.Undo1, [this] { Undo1Click(); });
    form_.BindFilesDropped([this](const QStringList& paths) { WMDropFiles(paths); });
    connect(form_.ListB, &KeyValueGrid::keyTyped, this, [this](QChar key) {
        if (key == u'\r')
            AddRowAfterEnter();
    });
}

void CardEditingCommands::AddRowAfterEnter() {
    // Enter is reported before the table handles it, and a cell editor closes
    // itself on Enter through a call it queues after that. Adding the row
    // before that call runs would move the cursor, which closes the editor
    // already, and the queued call would then find its editor gone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QMetaObject::invokeMethod(form_.Addline1, &QAction::trigger, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void CardEditingCommands::Addline1Click() {
    KeyValueGrid& table = *form_.ListB;
    if (table.LineCount() == 0)
        return;
    const int row = table.Row();
    // Line index `row` lies right below grid row `row`.
    table.InsertLine(row, QStringLiteral("="));
    // In the new row's key cell, so that what is typed next is its key.
    table.SetCell(row + 1, 0);
}

void CardEditingCommands::Delete2Click() {
    KeyValueGrid& table = *form_.ListB;
    const int row = table.Row();
    if (table.LineCount() == 1 || row == 1)
        return;
    table.DeleteLine(row - 1);
}

void CardEditingCommands::Image1Click() {
    const QString path = ChoosePictureFile(prompts_);
    if (!path.isEmpty())
        ImageSelect(path);
}

void CardEditingCommands::ImageSelect(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        prompts_.message(QStringLiteral("Soubor nenalezen!"));
        return;
    }
    // Marked before decoding: a picture that fails to decode still counts as a change.
    state_.Modified = true;
    if (StorePictureFile(path, state_.WorkDir, PictureFileName()))
        form_.ShowPictureFile(PicturePath());
}

void CardEditingCommands::Nastzeschrnky1Click() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* offered = clipboard->mimeData();
    if (!offered || !offered->hasImage())
        return;
    const QImage image = clipboard->image();
    if (image.isNull())
        return;
    // Saved first, so that the box never shows a picture the card does not hold.
    SavePictureFile(FitPicture(image), state_.WorkDir, PictureFileName());
    form_.ShowPictureFile(PicturePath());
    state_.Modified = true;
}

void CardEditingCommands::Odstranitobrzek1Click() {
    switch (RemovePictureFile(state_.WorkDir, PictureFileName())) {
    case PictureRemoval::NoPicture:
        return;
    case PictureRemoval::Failed:
        prompts_.message(QStringLiteral("Nastala chyba při odstraňování obrázku!"));
        return;
    case PictureRemoval::Removed:
        form_.ShowNoPicture();
        state_.Modified = true;
        return;
    }
}

void CardEditingCommands::WMDropFiles(const QStringList& paths) {
    LoadDroppedFiles(paths, *dropTarget_, prompts_);
}

void CardEditingCommands::Undo1Click() {
    state_.Modified = false;
    CardList& list = *form_.List;
    // No entry selected when the card file has left the list: nothing is reloaded.
    list.SetItemIndex(list.IndexOf(QFileInfo(state_.CurrentCardPath).fileName()));
    form_.ListDblClick();
}

QString CardEditingCommands::PictureFileName() const {
    return state_.CurrentCardName + QStringLiteral("1.bmp");
}

QString CardEditingCommands::PicturePath() const {
    return state_.WorkDir + PictureFileName();
}
