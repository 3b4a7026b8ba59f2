#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The about dialog: the program's name and version, a short text about it and
// a link to the project's web site. Created once and shown modally as often as
// needed.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);

    QFrame* Bevel2 = nullptr;
    QLabel* Label1 = nullptr; // the title; a double click shows PicturePanel
    QFrame* Bevel1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;     // the about text
    QLabel* PicturePanel = nullptr;      // hidden until the title is double-clicked, then kept
    QLabel* Label3 = nullptr;            // the web site's address; a click opens it
    QToolButton* SpeedButton1 = nullptr; // "Ok"

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createTitle();
    void createText();
    void createPicturePanel();
    void createLink();
    bool isClosingKey(QEvent* event) const;
};
