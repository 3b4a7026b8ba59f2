#pragma once

// Folder rule: settings/ may include storage/, core/, widgets/ and settings/
// only; it reaches the main window through SettingsTarget.

#include "core/MainFont.h"

#include <QDialog>

struct AppState;
class ColorBox;
class MouseUpCheckBox;
class Prompts;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsTarget;

// The settings dialog "Nastavení": column titles, background colour,
// auto-save, the TAB key in the table, navigation keys, toolbar captions and
// the main window's font. "Použít" (or Enter) applies everything and rewrites
// config.ini and font.ini whole; "Zrušit" (or Esc) leaves everything as it was.
// Created once and only hidden between openings, so its boxes keep their state.
class TSetForm : public QDialog {
    Q_OBJECT
public:
    TSetForm(AppState& state, Prompts& prompts, SettingsTarget& target, QWidget* parent = nullptr);

    // Paints the dialog in a stored colour (at creation and when applied).
    void setBackColor(qint32 color);

    // Fills the dialog from the current settings. It only ever ticks boxes, so
    // a box ticked and then abandoned stays ticked at the next opening.
    void FormShow();
    // Applies the dialog's values step by step, writes both files and closes
    // the dialog. A file that cannot be written throws AppError: the steps
    // before it stay applied, the dialog stays open.
    void ApplySettings();
    // Enter applies, Esc closes without applying; true when the key was one of them.
    bool FormKeyPress(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    QLabel* Label1;
    QGroupBox* GroupBox1; // " Chování Kartotéky "
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    MouseUpCheckBox* CheckBox3;
    QGroupBox* GroupBox2; // " Vzhled Kartotéky "
    QLabel* Label3;
    ColorBox* ColorBox1;
    MouseUpCheckBox* CheckBox5;
    QPushButton* SpeedButton2;
    QGroupBox* GroupBox3; // " Tisk "
    QPushButton* SpeedButton5;
    QGroupBox* GroupBox4; // " Nadpisy tabulky "
    QLineEdit* NadpisEdit1;
    QLineEdit* NadpisEdit2;
    QLabel* Label4;
    QPushButton* SpeedButton3;
    QPushButton* SpeedButton4;

    // The font chosen in the font dialog, held until "Použít".
    MainFont FontDlg1;

public slots:
    void SpeedButton1Click(); // "Nastavení tiskárny"
    void SpeedButton2Click(); // "Font a barva písma"
    void SpeedButton3Click(); // "Zrušit"
    void SpeedButton4Click(); // "Použít"
    void Label4Click();       // "Nápověda"
    void CheckBox3MouseUp();
    void ColorBox1Change();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void nameControls();
    void layOutControls();
    void connectHandlers();

    AppState& state_;
    Prompts& prompts_;
    SettingsTarget& target_;
};
