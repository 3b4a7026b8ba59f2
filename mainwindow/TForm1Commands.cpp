#include "mainwindow/TForm1.h"

#include "core/DroppedFiles.h"
#include "core/OpenCard.h"
#include "core/PictureChoice.h"
#include "core/Prompts.h"
#include "core/TextLineReader.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/CommandRegistry.h"
#include "mainwindow/EditorPanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The card editor as the target of files dropped on the window.
class EditorDropTarget : public DropTarget {
public:
    explicit EditorDropTarget(TForm1& form) : form_(form) {}

    bool cardLoaded() const override { return form_.card().CardLoaded(); }
    bool notesEmpty() const override { return form_.editorPanel().notesText().isEmpty(); }
    void replaceNotes(const QString& text) override { form_.editorPanel().setNotesText(text); }
    void ImageSelect(const QString& path) override { form_.ImageSelect(path); }

private:
    TForm1& form_;
};

} // namespace

void TForm1::ListDblClick() {
    card_->openSelected();
}

void TForm1::SpeedButton3Click() {
    card_->save();
}

void TForm1::Pejmenovat1Click() {
    card_->rename();
}

void TForm1::SpeedButton9Click() {
    const int index = listPanel_->row();
    const int count = listPanel_->count();
    if (count == 0 || index == count - 1)
        return;
    listPanel_->selectRow(index + 1);
    ListDblClick();
}

void TForm1::SpeedButton8Click() {
    const int index = listPanel_->row();
    if (index <= 0)
        return;
    listPanel_->selectRow(index - 1);
    ListDblClick();
}

void TForm1::Pejtnaprvn1Click() {
    if (listPanel_->count() == 0)
        return;
    listPanel_->selectRow(0);
    ListDblClick();
}

void TForm1::Pejtnaposledn1Click() {
    if (listPanel_->count() == 0)
        return;
    listPanel_->selectRow(listPanel_->count() - 1);
    ListDblClick();
}

void TForm1::Pejtnakartu1Click() {
    // A text that is no number, and an error of the open itself, end this
    // command without a message; a failed save of the card being left is shown
    // and stops it like every other save.
    try {
        const QString text =
            prompts_.input(QStringLiteral("Přejít na kartu číslo:"),
                           QStringLiteral("Maximálně: ") + QString::number(listPanel_->count()),
                           QString::number(listPanel_->row() + 1));
        const qint64 index = qint64(textnumbers::strToInt(text)) - 1;
        listPanel_->selectRow(index < 0 ? -1 : int(index));
    } catch (...) {
        return;
    }
    const QString chosen = listPanel_->selectedPath();
    if (chosen.trimmed().isEmpty())
        return;
    card_->leaveCard();
    try {
        card_->load(chosen);
    } catch (...) {
    }
}

void TForm1::ListKeyUp(int key) {
    if (key == Qt::Key_Delete && card_->CardLoaded())
        commands_->trigger(Command::DeleteCard);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && listPanel_->row() >= 0)
        ListDblClick();
}

void TForm1::Addline1Click() {
    editor_->addLine();
}

void TForm1::Delete2Click() {
    editor_->deleteLine();
}

void TForm1::Image1Click() {
    const QString path = picturechoice::choosePictureFile(prompts_);
    if (!path.isEmpty())
        ImageSelect(path);
}

void TForm1::ImageSelect(const QString& path) {
    card_->selectPicture(path);
}

void TForm1::Nastzeschrnky1Click() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* offered = clipboard->mimeData();
    if (!offered || !offered->hasImage())
        return;
    const QImage image = clipboard->image();
    if (image.isNull())
        return;
    card_->pastePicture(image);
}

void TForm1::Odstranitobrzek1Click() {
    card_->removePicture();
}

void TForm1::WMDropFiles(const QStringList& paths) {
    EditorDropTarget target(*this);
    droppedfiles::loadDroppedFiles(paths, target, prompts_);
}

void TForm1::Undo1Click() {
    card_->revert();
}
