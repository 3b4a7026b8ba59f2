#include "mainwindow/CardEditingCommands.h"

#include "core/OpenCard.h"
#include "core/PictureChoice.h"
#include "core/Prompts.h"
#include "mainwindow/EditorDropTarget.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/TForm1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

CardEditingCommands::CardEditingCommands(TForm1& form, Prompts& prompts)
    : QObject(&form), form_(form), prompts_(prompts),
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
    form_.Card().SelectPicture(path);
}

void CardEditingCommands::Nastzeschrnky1Click() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* offered = clipboard->mimeData();
    if (!offered || !offered->hasImage())
        return;
    const QImage image = clipboard->image();
    if (image.isNull())
        return;
    form_.Card().PastePicture(image);
}

void CardEditingCommands::Odstranitobrzek1Click() {
    form_.Card().RemovePicture();
}

void CardEditingCommands::WMDropFiles(const QStringList& paths) {
    LoadDroppedFiles(paths, *dropTarget_, prompts_);
}

void CardEditingCommands::Undo1Click() {
    form_.Card().Revert();
}
