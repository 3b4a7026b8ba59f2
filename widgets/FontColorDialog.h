#pragma once

#include <QDialog>
#include <QFont>

class ColorBox;
class QFontDialog;

// "Písmo": the font dialog with a colour drop-down beneath it, so that the
// font and its colour are chosen together. The colour is held in its stored
// form, so a system colour stays a system colour.
class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    FontColorDialog(const QFont& font, qint32 storedColor, QWidget* parent = nullptr);

    // A face the system lacks (such as "MS Sans Serif") shows as the face
    // that stands in for it; left unchanged, it keeps its own name, so that
    // font.ini names the same face as before.
    QFont selectedFont() const;
    qint32 selectedColor() const;

    QFontDialog* fontChooser() const { return fontChooser_; }
    ColorBox* colorChooser() const { return colorChooser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFontDialog* fontChooser_;
    ColorBox* colorChooser_;
    QString requestedFamily_;
    QString shownFamily_;
};
