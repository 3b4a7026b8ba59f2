#pragma once

#include "core/CardEditor.h"
#include "core/CardListView.h"

#include <QDir>
#include <QFileInfo>

// Stands in for the main window's editor controls: keeps the table lines, the
// notes and the picture path shown, and counts the window refreshes.
class TestCardEditor : public CardEditor {
public:
    QStringList table;
    QString notes;
    QString picture; // path shown; empty for the no-picture bitmap
    QString title;   // the card name of the last caption
    bool tableShown = false;
    int windowStateUpdates = 0;

    QStringList tableLines() const override { return table; }
    void setTableLines(const QStringList& lines) override { table = lines; }
    void clearTable() override { table.clear(); }
    void showTable() override { tableShown = true; }
    QString notesText() const override { return notes; }
    void setNotesText(const QString& text) override { notes = text; }
    void clearNotes() override { notes.clear(); }
    void showPicture(const QString& path) override { picture = path; }
    void showCardTitle(const QString&, const QString& cardName) override { title = cardName; }
    void updateWindowState() override { ++windowStateUpdates; }
};

// Stands in for the card list: the card files of a folder, sorted without
// regard to letter case, and one selected row.
class TestCardList : public CardListView {
public:
    explicit TestCardList(const QString& cardDir) : dir_(cardDir) { reread(); }

    QStringList names;
    int selected = -1;

    QStringList entries() const override { return names; }
    // As the card list does: the exact name first, then any letter case.
    void selectEntry(const QString& fileName) override {
        selected = int(names.indexOf(fileName));
        for (int i = 0; selected < 0 && i < names.size(); ++i)
            if (names[i].compare(fileName, Qt::CaseInsensitive) == 0)
                selected = i;
    }
    QString selectedPath() const override {
        return selected < 0 ? QString() : dir_ + names[selected];
    }
    void reread() override {
        names = QDir(dir_).entryList({QStringLiteral("*.krt")}, QDir::Files,
                                     QDir::Name | QDir::IgnoreCase);
        selected = -1;
    }

private:
    QString dir_;
};
