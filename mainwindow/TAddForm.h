#pragma once

#include <QDialog>

class CardFileHost;
class QLabel;
class QLineEdit;
class QToolButton;

// The dialog that makes a new, empty card file under the name the user types.
// Created once with the main window and shown modally (exec) as often as needed.
class TAddForm : public QDialog {
    Q_OBJECT
public:
    explicit TAddForm(CardFileHost& host, QWidget* parent = nullptr);

    void setBackColor(const QColor& color);

    QLabel* Label7 = nullptr;
    QLineEdit* Edit1 = nullptr;          // the new card's name
    QToolButton* SpeedButton3 = nullptr; // "Zrušit"
    QToolButton* SpeedButton2 = nullptr; // "Přidat"

public slots:
    // Checks the typed name and makes the empty card file; on success the card
    // list is read again and the dialog closes, otherwise it stays open.
    void CreateCardFile();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createCardFile();

    CardFileHost& host_;
};
