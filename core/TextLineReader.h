#pragma once

#include <QStringList>

// Reads the settings and layout files line by line with the rules of their
// start-up reading: past the last line every line reads as empty, an integer
// line must hold exactly one decimal number, and a number token may stand
// after blank lines.
class TextLineReader {
public:
    explicit TextLineReader(const QStringList& lines) : lines_(lines) {}

    bool atEnd() const { return line_ >= lines_.size(); }
    // The next whole line; empty past the end.
    QString readLine();
    // The next line as an integer; AppError "'%s' is not a valid integer value".
    qint32 readInteger();
    // The next number token: blanks and line ends before it are skipped, it ends
    // at a blank or the line end, and the rest of its line is passed over.
    // AppError "Invalid numeric input" when there is no number.
    qint32 readNumberToken();

private:
    QStringList lines_;
    qsizetype line_ = 0;
};

namespace textnumbers {

// Converts text to a signed 32-bit integer: optional blanks, an optional sign,
// decimal digits. AppError "'%s' is not a valid integer value" otherwise.
qint32 strToInt(const QString& text);

} // namespace textnumbers
