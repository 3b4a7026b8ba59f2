#pragma once

#include "core/CardTextMembers.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

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
    // Where each member's searched text ends: at its first NUL or its end.
    qsizetype notesEnd = 0;
    qsizetype tableEnd = 0;

    std::string_view searchedNotes() const { return {members.notes.constData(), size_t(notesEnd)}; }
    std::string_view searchedTable() const { return {members.table.constData(), size_t(tableEnd)}; }
    // The memory the text holds.
    qsizetype heldBytes() const;
    // Asks the processor to fetch the searched bytes ahead of the search: the
    // cached texts of a folder outgrow its caches, and a scan that waited for
    // each line in turn would spend most of its time waiting.
    void prefetch() const;
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
    // The search text in one code, and what each byte of a text searched reads
    // as in it. The scan looks at many places at once for the bytes that read
    // as the first and the last character of the needle; the skip of each
    // byte moves it on over the last few places.
    struct Pattern {
        QByteArray needle;
        std::array<uchar, 256> code{};
        std::array<quint32, 256> skip{};
        // Each byte that reads as the needle's first character, and as its
        // last, repeated over a block of the scan.
        struct alignas(16) RepeatedByte {
            char block[16];
        };
        std::vector<RepeatedByte> firstBytes;
        std::vector<RepeatedByte> lastBytes;
        Pattern(QByteArray needle, const std::array<uchar, 256>& code);
        int linesHolding(std::string_view text) const;
        bool matchesAt(const uchar* place) const;
    };

    LetterMatch letters_;
    // The search text in the code of the form searched, against the stored
    // bytes and against a form made for the rare card; none when no line can
    // hold it (empty, a line break, or a character no card text reads as).
    std::optional<Pattern> stored_;
    std::optional<Pattern> made_;
};
