#pragma once

#include <QString>
#include <QStringList>

// What the open card needs from the card list `List`: its entries, its
// selection and a fresh read of the card directory. The main window implements
// it; tests stand in for it without a window.
class CardListView {
public:
    virtual ~CardListView() = default;

    // The entries (card file names) in list order.
    virtual QStringList entries() const = 0;
    // Selects the entry named fileName; no entry stays selected when it is missing.
    virtual void selectEntry(const QString& fileName) = 0;
    // The full path of the selected entry; empty without a selection.
    virtual QString selectedPath() const = 0;
    // Reads the card directory again; no entry stays selected.
    virtual void reread() = 0;
    // The sync tools' conflict copies (file names) waiting beside the card
    // file fileName; a list that does not tell them apart has none.
    virtual QStringList conflictCopiesOf(const QString& /*fileName*/) const { return {}; }
    // Follows writes to the open card's file at path, which the folder alone
    // does not show (a file rewritten in place); a list that does not follow
    // its folder ignores it.
    virtual void watchCardFile(const QString& /*path*/) {}
};
