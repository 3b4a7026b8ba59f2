#pragma once

#include "mainwindow/CardFileDialog.h"

class QLabel;
class QLineEdit;

// The dialog that makes a new, empty card file under the name the user types.
// Created once with the main window and shown modally (exec) as often as needed.
class TAddForm : public CardFileDialog {
    Q_OBJECT
public:
    explicit TAddForm(CardFileHost& host, QWidget* parent = nullptr);

    QLabel* Label7 = nullptr;
    QLineEdit* Edit1 = nullptr;          // the new card's name
    QToolButton* SpeedButton3 = nullptr; // "Zrušit"
    QToolButton* SpeedButton2 = nullptr; // "Přidat"

protected:
    // Checks the typed name and makes the empty card file; on success the card
    // list is read again and the dialog closes, otherwise it stays open.
    void confirmed() override;
    void showEvent(QShowEvent* event) override;
};
