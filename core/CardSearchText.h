#pragma once

#include "core/CardTextMembers.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A card's text as a content search keeps it: the members as stored (code page
// 1250), which a search reads byte for byte through a table of what each byte
// reads as, upper-cased or without accents as well (CaseBlindLetters,
// AccentBlindLetters); the table is made once for the program. A member
// holding a byte that reads as more than one character ("ß" upper-cased is
// "SS") cannot be read so: for such a card, the rare one, the upper-cased and
// the accent-free forms are made once when it is read (both members, each up to
// its first NUL, joined by a line feed).
struct CardSearchText {
    CardTextMembers members;
    std::optional<QByteArray> upper;
    std::optional<QByteArray> folded;

    // The memory the text holds.
    qsizetype heldBytes() const;
};

namespace searchtext {

CardSearchText makeCardSearchText(CardTextMembers members);

} // namespace searchtext

// How letters are compared.
enum class LetterMatch {
    Exact,       // as stored
    CaseBlind,   // without regard to letter case
    AccentBlind, // without regard to letter case and accents ("dvorak" finds "Dvořák")
};

// Counts the lines of a card's notes and table that hold the search text; the
// answer is that of MemberMatcher (decoding each member, splitting it into
// lines at CR or LF, the text ending at a NUL) for the exact and case-blind
// comparisons, reached on the bytes of CardSearchText.
class CardTextMatcher {
public:
    CardTextMatcher(const QString& text, LetterMatch letters);
    int matchingLines(const CardSearchText& text) const;

private:
    LetterMatch letters_;
    // The search text in the code of the form searched; none when no line can
    // hold it (empty, a line break, or a character no card text reads as).
    std::optional<QByteArray> needle_;
};
