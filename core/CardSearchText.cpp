#include "core/CardSearchText.h"

#include "core/AccentFolding.h"
#include "storage/Cp1250.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The characters that the bytes of a stored text read as after one way of
// comparing letters (upper-casing, folding), written one byte per character:
// a character that is itself a code page 1250 character keeps its byte; the
// few others (such as the capital of "µ") take bytes that no read character
// uses. Bytes that read as more characters ("ß" upper-cased is "SS") give
// more bytes.
class LetterCode {
public:
    template <typename Reading> explicit LetterCode(Reading reads) {
        const std::array<char16_t, 256>& characters = cp1250::byteCharacters();
        QHash<char16_t, uchar> natural;
        for (int byte = 1; byte < 256; ++byte)
            natural.insert(characters[byte], uchar(byte));
        std::array<QString, 256> readings;
        for (int byte = 1; byte < 256; ++byte) {
            readings[byte] = reads(QString(QChar(characters[byte])));
            for (const QChar c : readings[byte]) {
                if (natural.contains(c.unicode()))
                    codes_.insert(c.unicode(), natural.value(c.unicode()));
            }
        }
        assignSpareBytes(readings);
        for (int byte = 1; byte < 256; ++byte) {
            expansions_[byte] = encode(readings[byte]).value_or(QByteArray());
            longest_ = qMax(longest_, expansions_[byte].size());
            if (expansions_[byte].size() == 1)
                single_[byte] = uchar(expansions_[byte].front());
        }
    }

    // What each byte reads as when it reads as one character; 0 for NUL and
    // for the bytes that read as more characters or none.
    const std::array<uchar, 256>& singles() const { return single_; }

    // Whether a member up to its first NUL reads byte for byte.
    bool readsByteForByte(std::string_view member) const {
        for (const char byte : member) {
            if (single_[static_cast<uchar>(byte)] == 0)
                return false;
        }
        return true;
    }

    // The text in this code; none when it holds a character no byte reads as.
    std::optional<QByteArray> encode(const QString& text) const {
        QByteArray bytes;
        bytes.reserve(text.size());
        for (const QChar c : text) {
            const auto code = codes_.constFind(c.unicode());
            if (code == codes_.cend())
                return std::nullopt;
            bytes.append(char(*code));
        }
        return bytes;
    }

    // Appends the member's bytes up to its first NUL, each in this code.
    void append(QByteArray& out, const QByteArray& member) const {
        const qsizetype start = out.size();
        out.resize(start + member.size() * longest_);
        char* write = out.data() + start;
        for (const char byte : member) {
            const auto value = static_cast<uchar>(byte);
            if (value == 0)
                break;
            const QByteArray& expansion = expansions_[value];
            if (expansion.size() == 1) {
                *write++ = expansion.front();
            } else {
                for (const char code : expansion)
                    *write++ = code;
            }
        }
        out.resize(write - out.constData());
    }

private:
    void assignSpareBytes(const std::array<QString, 256>& readings) {
        const std::array<char16_t, 256>& characters = cp1250::byteCharacters();
        QList<uchar> spare;
        for (int byte = 1; byte < 256; ++byte) {
            if (!codes_.contains(characters[byte]))
                spare.append(uchar(byte));
        }
        for (const QString& reading : readings) {
            for (const QChar c : reading) {
                if (!codes_.contains(c.unicode()) && !spare.isEmpty())
                    codes_.insert(c.unicode(), spare.takeFirst());
            }
        }
    }

    QHash<char16_t, uchar> codes_;
    std::array<QByteArray, 256> expansions_;
    std::array<uchar, 256> single_{};
    qsizetype longest_ = 1;
};

const LetterCode& caseBlindLetters() {
    static const LetterCode code([](const QString& c) { return c.toUpper(); });
    return code;
}

const LetterCode& accentBlindLetters() {
    static const LetterCode code([](const QString& c) { return accents::folded(c); });
    return code;
}

std::string_view upToNul(const QByteArray& bytes) {
    const auto* end = static_cast<const char*>(std::memchr(bytes.constData(), 0, bytes.size()));
    return std::string_view(bytes.constData(), end ? end - bytes.constData() : bytes.size());
}

// Both members in the code, joined by a line feed; none when they read byte
// for byte and need no copy.
std::optional<QByteArray> expandedMembers(const CardTextMembers& members, const LetterCode& code) {
    if (code.readsByteForByte(upToNul(members.notes)) &&
        code.readsByteForByte(upToNul(members.table)))
        return std::nullopt;
    QByteArray joined;
    code.append(joined, members.notes);
    joined.append('\n');
    code.append(joined, members.table);
    joined.squeeze();
    return joined;
}

// Whether a member up to its first NUL reads byte for byte upper-cased and
// without accents alike.
bool readsByteForByteBothWays(std::string_view member) {
    static const std::array<bool, 256> bothWays = [] {
        std::array<bool, 256> table{};
        for (int byte = 0; byte < 256; ++byte)
            table[byte] = caseBlindLetters().singles()[byte] != 0 &&
                          accentBlindLetters().singles()[byte] != 0;
        return table;
    }();
    for (const char byte : member) {
        if (!bothWays[static_cast<uchar>(byte)])
            return false;
    }
    return true;
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::size_t lineEnd(std::string_view text, std::size_t from) {
    while (from < text.size() && !isLineBreak(text[from]))
        ++from;
    return from;
}

// Every byte but NUL reads as itself: the code of the stored bytes for an
// exact search, and of the forms made in a letter code.
const std::array<uchar, 256>& sameBytes() {
    static const std::array<uchar, 256> code = [] {
        std::array<uchar, 256> bytes{};
        for (int byte = 1; byte < 256; ++byte)
            bytes[byte] = uchar(byte);
        return bytes;
    }();
    return code;
}

void prefetchBytes(const char* bytes, qsizetype size) {
    constexpr qsizetype Line = 64;
    for (qsizetype at = 0; at < size; at += Line)
        __builtin_prefetch(bytes + at);
}

#if defined(__SSE2__)
// Where in a block of 16 bytes a byte is one of `wanted`: the mask of
// _mm_cmpeq_epi8.
// (A template: the repeated byte is the matcher's own type.)
template <typename Repeated> __m128i placesOf(__m128i block, const std::vector<Repeated>& wanted) {
    __m128i found = _mm_setzero_si128();
    for (const Repeated& byte : wanted)
        found = _mm_or_si128(
            found, _mm_cmpeq_epi8(block, _mm_load_si128(reinterpret_cast<const __m128i*>(&byte))));
    return found;
}
#endif

// The text as stored; none when code page 1250 cannot hold it.
std::optional<QByteArray> exactNeedle(const QString& text) {
    if (!cp1250::unencodable(text).isEmpty())
        return std::nullopt;
    return cp1250::encode(text);
}

} // namespace

qsizetype CardSearchText::heldBytes() const {
    return members.notes.capacity() + members.table.capacity() + (upper ? upper->capacity() : 0) +
           (folded ? folded->capacity() : 0);
}

void CardSearchText::prefetch() const {
    prefetchBytes(members.notes.constData(), notesEnd);
    prefetchBytes(members.table.constData(), tableEnd);
}

namespace searchtext {

CardSearchText makeCardSearchText(CardTextMembers members) {
    members.notes.squeeze();
    members.table.squeeze();
    CardSearchText text;
    const std::string_view notes = upToNul(members.notes);
    const std::string_view table = upToNul(members.table);
    text.notesEnd = qsizetype(notes.size());
    text.tableEnd = qsizetype(table.size());
    // Nearly every card reads byte for byte both ways: one pass tells.
    if (!readsByteForByteBothWays(notes) || !readsByteForByteBothWays(table)) {
        text.upper = expandedMembers(members, caseBlindLetters());
        text.folded = expandedMembers(members, accentBlindLetters());
    }
    text.members = std::move(members);
    return text;
}

} // namespace searchtext

CardTextMatcher::Pattern::Pattern(QByteArray text, const std::array<uchar, 256>& byteCode)
    : needle(std::move(text)), code(byteCode) {
    // How far the scan may move on when the last byte under the needle reads
    // as a given character: to that character's last place in the needle
    // before its end, or past the whole needle.
    std::array<quint32, 256> skipOfCharacter;
    skipOfCharacter.fill(quint32(needle.size()));
    for (qsizetype i = 0; i + 1 < needle.size(); ++i)
        skipOfCharacter[uchar(needle[i])] = quint32(needle.size() - 1 - i);
    for (int byte = 1; byte < 256; ++byte) {
        skip[byte] = code[byte] == 0 ? quint32(needle.size()) : skipOfCharacter[code[byte]];
        RepeatedByte repeated;
        std::fill(std::begin(repeated.block), std::end(repeated.block), char(byte));
        if (code[byte] != 0 && code[byte] == uchar(needle.front()))
            firstBytes.push_back(repeated);
        if (code[byte] != 0 && code[byte] == uchar(needle.back()))
            lastBytes.push_back(repeated);
    }
    skip[0] = quint32(needle.size());
}

bool CardTextMatcher::Pattern::matchesAt(const uchar* place) const {
    for (qsizetype i = 0; i < needle.size(); ++i) {
        if (code[place[i]] != uchar(needle[i]))
            return false;
    }
    return true;
}

// Each hit lies within one line; its line counts once and the scan goes on
// after it.
int CardTextMatcher::Pattern::linesHolding(std::string_view text) const {
    const auto* bytes = reinterpret_cast<const uchar*>(text.data());
    const std::size_t length = std::size_t(needle.size());
    int lines = 0;
    std::size_t at = 0;
    const auto countHit = [&](std::size_t place) {
        ++lines;
        at = lineEnd(text, place + length) + 1;
    };
#if defined(__SSE2__)
    constexpr std::size_t Block = 16;
    while (at + length - 1 + Block <= text.size()) {
        const auto* first = reinterpret_cast<const __m128i*>(bytes + at);
        const auto* last = reinterpret_cast<const __m128i*>(bytes + at + length - 1);
        auto candidates =
            unsigned(_mm_movemask_epi8(_mm_and_si128(placesOf(_mm_loadu_si128(first), firstBytes),
                                                     placesOf(_mm_loadu_si128(last), lastBytes))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const std::size_t place = at + std::size_t(std::countr_zero(candidates));
            if (matchesAt(bytes + place)) {
                countHit(place);
                break;
            }
        }
        if (candidates == 0)
            at += Block;
    }
#endif
    const uchar lastWanted = uchar(needle.back());
    while (at + length <= text.size()) {
        const uchar last = bytes[at + length - 1];
        if (code[last] == lastWanted && matchesAt(bytes + at))
            countHit(at);
        else
            at += skip[last];
    }
    return lines;
}

CardTextMatcher::CardTextMatcher(const QString& text, LetterMatch letters) : letters_(letters) {
    if (text.isEmpty() || text.contains(u'\r') || text.contains(u'\n'))
        return;
    std::optional<QByteArray> needle;
    const std::array<uchar, 256>* storedCode = &sameBytes();
    switch (letters) {
    case LetterMatch::Exact:
        needle = exactNeedle(text);
        break;
    case LetterMatch::CaseBlind:
        needle = caseBlindLetters().encode(text.toUpper());
        storedCode = &caseBlindLetters().singles();
        break;
    case LetterMatch::AccentBlind:
        needle = accentBlindLetters().encode(accents::folded(text));
        storedCode = &accentBlindLetters().singles();
        break;
    }
    if (!needle || needle->isEmpty())
        return;
    stored_.emplace(*needle, *storedCode);
    made_.emplace(*needle, sameBytes());
}

int CardTextMatcher::matchingLines(const CardSearchText& text) const {
    if (!stored_)
        return 0;
    const std::optional<QByteArray>* made = nullptr;
    switch (letters_) {
    case LetterMatch::Exact:
        break;
    case LetterMatch::CaseBlind:
        made = &text.upper;
        break;
    case LetterMatch::AccentBlind:
        made = &text.folded;
        break;
    }
    if (made && *made)
        return made_->linesHolding(std::string_view((*made)->constData(), (*made)->size()));
    return stored_->linesHolding(text.searchedNotes()) +
           stored_->linesHolding(text.searchedTable());
}
