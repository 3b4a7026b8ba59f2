#include "mainwindow/Form1CardList.h"

#include "core/CardFolderModel.h"
#include "mainwindow/CardList.h"

Form1CardList::Form1CardList(CardList& list) : list_(list) {}

QStringList Form1CardList::entries() const {
    return list_.Items();
}

void Form1CardList::selectEntry(const QString& fileName) {
    list_.SetItemIndex(list_.IndexOf(fileName));
}

QString Form1CardList::selectedPath() const {
    return list_.FileName();
}

void Form1CardList::reread() {
    list_.Update();
}

QStringList Form1CardList::conflictCopiesOf(const QString& fileName) const {
    return list_.Cards().conflictCopiesOf(fileName);
}

void Form1CardList::watchCardFile(const QString& path) {
    list_.Cards().watchFile(path);
}
