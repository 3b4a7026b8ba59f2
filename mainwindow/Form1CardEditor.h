#pragma once

#include "core/CardEditor.h"

class TForm1;

// The open card's view of the main window's editor: `ListB`, `Memo1`, `Image1`,
// the caption and the window state.
class Form1CardEditor : public CardEditor {
public:
    explicit Form1CardEditor(TForm1& form);

    QStringList tableLines() const override;
    void setTableLines(const QStringList& lines) override;
    void clearTable() override;
    void showTable() override;
    QString notesText() const override;
    void setNotesText(const QString& text) override;
    void clearNotes() override;
    void showPicture(const QString& path) override;
    void showCardTitle(const QString& cardPath, const QString& cardName) override;
    void updateWindowState() override;

private:
    TForm1& form_;
};
