#include "mainwindow/MainWindowPrintSource.h"

#include "core/OpenCard.h"
#include "mainwindow/CardList.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/TForm1.h"
#include "storage/AppState.h"

QString MainWindowPrintSource::currentCardName() const {
    return form1_.Card().CurrentCardName();
}

QStringList MainWindowPrintSource::cardList() const {
    return form1_.List->Items();
}

QStringList MainWindowPrintSource::titleCaptions() const {
    return form1_.ListB->TitleCaptions();
}

QStringList MainWindowPrintSource::tableRows() const {
    return form1_.ListB->Strings();
}

QString MainWindowPrintSource::notesText() const {
    return form1_.Memo1->Text();
}

QFont MainWindowPrintSource::notesFont() const {
    return form1_.Memo1->font();
}

QImage MainWindowPrintSource::picture() const {
    return form1_.Image1->Picture();
}

QString MainWindowPrintSource::workDir() const {
    return form1_.State().WorkDir;
}

QPrinter& MainWindowPrintSource::printer() {
    return form1_.printer();
}
