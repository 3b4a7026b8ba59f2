#pragma once

#include "mainwindow/CardFileDialog.h"

class QLabel;

// Asks before the open card's file is deleted, and deletes it. Created once with
// the main window and shown modally as often as needed.
class TDelForm : public CardFileDialog {
    Q_OBJECT
public:
    explicit TDelForm(CardFileHost& host, QWidget* parent = nullptr);

    // The delete command: shows the dialog modally, unless no card has been
    // opened since start-up (CurrentCardPath without a file name).
    void showForCurrentCard();

    // The file name Label1 names (shortened on screen when it is long).
    QString fileName() const { return fileName_; }

    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;            // the card file's name
    QToolButton* SpeedButton1 = nullptr; // "Ne"
    QToolButton* SpeedButton3 = nullptr; // "Ano"

protected:
    // Deletes the card file of CurrentCardPath; the card list is read again and
    // the main window shows no card. A missing file is reported and the dialog
    // stays open.
    void confirmed() override;
    void showEvent(QShowEvent* event) override;

private:
    void showFileName(const QString& name);

    QString fileName_;
};
