#pragma once

#include "mainwindow/BandBar.h"

class CommandRegistry;
class QLineEdit;
class QToolButton;

// The main window's tool bar (CBar): six bands of tool buttons and the
// quick-search box Edit2. Every button runs its menu command. The bands keep
// the order of the lines of cbar.ini.
class MainToolBar : public BandBar {
    Q_OBJECT
public:
    static constexpr int kHeight = 38;

    explicit MainToolBar(QWidget* parent = nullptr);

    // Makes each button run its command.
    void forwardTo(CommandRegistry& commands);
    QLineEdit* quickSearchBox() const { return Edit2_; }
    // With no card open the buttons on the open card are off.
    void setCardOpen(bool open);
    // The band of the row buttons just holds its two buttons.
    void fitRowBand();
    // The compact form: buttons without captions (CompactToolbar).
    void CompactToolbar();
    // The undo button shows only in the compact form.
    bool undoButtonVisible() const;
    // The bands drawn on the window's background colour.
    QList<QWidget*> colouredBands() const;

private:
    QToolButton* speedButton(QWidget* band, const char* name, const QString& caption,
                             const QString& hint, const QString& iconName, QRect geometry);
    void createBands();
    void nameForScreenReaders();

    QWidget* Panel1_ = nullptr;
    QWidget* Panel2_ = nullptr;
    QWidget* Panel3_ = nullptr;
    QWidget* Panel4_ = nullptr;
    QWidget* Panel5_ = nullptr;
    QWidget* Panel6_ = nullptr;
    QToolButton* SpeedButton1_ = nullptr;  // add row
    QToolButton* SpeedButton2_ = nullptr;  // delete row
    QToolButton* SpeedButton3_ = nullptr;  // "Uložit"
    QToolButton* SpeedButton4_ = nullptr;  // "Nový"
    QToolButton* SpeedButton5_ = nullptr;  // "Konec"
    QToolButton* SpeedButton6_ = nullptr;  // "Odstranit"
    QToolButton* SpeedButton10_ = nullptr; // "Nápověda"
    QToolButton* SpeedButton11_ = nullptr; // "Tisknout"
    QToolButton* SpeedButton12_ = nullptr; // revert
    QToolButton* SpeedButton13_ = nullptr; // ">>"
    QToolButton* SpeedButton14_ = nullptr; // "Hledat"
    QLineEdit* Edit2_ = nullptr;           // quick search text
};
