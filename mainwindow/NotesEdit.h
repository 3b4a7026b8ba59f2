#pragma once

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
