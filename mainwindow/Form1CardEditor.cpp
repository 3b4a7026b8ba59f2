#include "mainwindow/Form1CardEditor.h"

#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/TForm1.h"

Form1CardEditor::Form1CardEditor(TForm1& form) : form_(form) {}

QStringList Form1CardEditor::tableLines() const {
    return form_.ListB->Strings();
}

void Form1CardEditor::setTableLines(const QStringList& lines) {
    form_.ListB->SetStrings(lines);
}

void Form1CardEditor::clearTable() {
    form_.ListB->Clear();
}

void Form1CardEditor::showTable() {
    form_.ListB->setVisible(true);
}

QString Form1CardEditor::notesText() const {
    return form_.Memo1->Text();
}

void Form1CardEditor::setNotesText(const QString& text) {
    form_.Memo1->SetText(text);
}

void Form1CardEditor::clearNotes() {
    form_.Memo1->clear();
}

void Form1CardEditor::showPicture(const QString& path) {
    form_.ShowPictureFile(path);
}

void Form1CardEditor::showCardTitle(const QString& /*cardPath*/, const QString& cardName) {
    form_.ShowCardTitle(cardName);
}

void Form1CardEditor::updateWindowState() {
    form_.UpdateWindowState();
}
