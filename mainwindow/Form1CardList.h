#pragma once

#include "core/CardListView.h"

class CardList;

// The open card's view of the main window's card list `List`.
class Form1CardList : public CardListView {
public:
    explicit Form1CardList(CardList& list);

    QStringList entries() const override;
    void selectEntry(const QString& fileName) override;
    QString selectedPath() const override;
    void reread() override;
    QStringList conflictCopiesOf(const QString& fileName) const override;
    void watchCardFile(const QString& path) override;

private:
    CardList& list_;
};
