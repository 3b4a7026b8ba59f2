#pragma once

// The controls of the card editor beside its table: the notes box and the
// picture box.

#include <QImage>
#include <QPlainTextEdit>

// The notes box: a word-wrapping text box whose text has CR LF between lines,
// as the notes member stores it. Wrapping is display only.
class NotesEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NotesEdit(QWidget* parent = nullptr);

    // The notes with CR LF line breaks, every character kept (no-break spaces too).
    QString text() const;
    // Shows text; CR LF, lone CR and lone LF all break lines.
    void setText(const QString& text);
    // The notes line by line (for printing and searching).
    QStringList lines() const;
};

// The picture box: draws its picture stretched to its own size, shows a hand
// cursor and reports clicks.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QImage picture() const { return picture_; }
    void setPicture(const QImage& picture);
    // Shows the Windows bitmap file at path; false (and nothing changed) when
    // the file is not a readable bitmap.
    bool loadBitmapFile(const QString& path);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool pressed_ = false;
};
