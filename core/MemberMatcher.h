#pragma once

#include <QString>
#include <array>

// Counts the lines of a stored text member (code page 1250 bytes, lines ending
// at CR LF, a lone CR or a lone LF, the text ending at a NUL byte) that hold the
// search text. The answer is that of decoding the member, splitting it into
// lines and asking TextMatcher about each line; it is reached straight from the
// bytes, through a table of what each byte reads as (upper-cased unless letter
// case counts), because a content search does this for every card file.
class MemberMatcher {
public:
    MemberMatcher(const QString& text, bool caseSensitive);
    int matchingLines(const QByteArray& member) const;

private:
    QString text_; // upper-cased unless letter case counts
    // What each byte reads as: one character in singles_ (0 when it takes more or
    // none, then the text is in others_).
    std::array<char16_t, 256> singles_{};
    std::array<QString, 256> others_;
};
