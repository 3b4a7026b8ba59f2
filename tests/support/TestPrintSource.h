#pragma once

#include "print/PrintSource.h"

#include <QPrinter>

// The main window's side of printing as plain values that a test sets.
class TestPrintSource : public PrintSource {
public:
    QString name;
    QStringList cards;
    QStringList titles{QStringLiteral("Předmět"), QStringLiteral("Hodnota")};
    QStringList rows;
    QString notes;
    QFont font{QStringLiteral("MS Sans Serif"), 10};
    QImage image;
    QString work;
    QPrinter printerObject;

    QString currentCardName() const override { return name; }
    QStringList cardList() const override { return cards; }
    QStringList titleCaptions() const override { return titles; }
    QStringList tableRows() const override { return rows; }
    QString notesText() const override { return notes; }
    QFont notesFont() const override { return font; }
    QImage picture() const override { return image; }
    QString workDir() const override { return work; }
    QPrinter& printer() override { return printerObject; }
};
