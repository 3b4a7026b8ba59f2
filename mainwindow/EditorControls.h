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
    QString Text() const;
    // Shows text; CR LF, lone CR and lone LF all break lines.
    void SetText(const QString& text);
    // The notes line by line (for printing and searching).
    QStringList Lines() const;
};

// The picture box: draws its picture stretched to its own size, shows a hand
// cursor and reports clicks.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QImage Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    // Shows the Windows bitmap file at path; false (and nothing changed) when
    // the file is not a readable bitmap.
    bool LoadBitmapFile(const QString& path);

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
