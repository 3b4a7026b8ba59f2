#include "core/CardSearchText.h"

#include "core/AccentFolding.h"
#include "storage/Cp1250.h"

#include <QHash>
#include <array>
#include <cstring>
#include <string_view>

namespace {

// Code page 1250 maps each of its 256 bytes to a character of its own (the
// five undefined bytes to the control characters of their value).
const std::array<char16_t, 256>& byteCharacters() {
    static const std::array<char16_t, 256> characters = [] {
        std::array<char16_t, 256> table{};
        for (int byte = 0; byte < 256; ++byte)
            table[byte] = cp1250::decode(QByteArray(1, char(byte))).at(0).unicode();
        return table;
    }();
    return characters;
}

// The characters that the bytes of a stored text read as after one way of
// comparing letters (upper-casing, folding), written one byte per character:
// a character that is itself a code page 1250 character keeps its byte; the
// few others (such as the capital of "µ") take bytes that no read character
// uses. Bytes that read as more characters ("ß" upper-cased is "SS") give
// more bytes.
class LetterCode {
public:
    template <typename Reading> explicit LetterCode(Reading reads) {
        const std::array<char16_t, 256>& characters = byteCharacters();
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
        const std::array<char16_t, 256>& characters = byteCharacters();
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

// Each hit lies within one line; its line counts once and the scan goes on
// after it.
int linesHolding(std::string_view text, std::string_view needle) {
    int lines = 0;
    std::size_t from = 0;
    for (std::size_t hit; (hit = text.find(needle, from)) != std::string_view::npos;) {
        ++lines;
        from = lineEnd(text, hit + needle.size());
    }
    return lines;
}

// The same on stored bytes read through `code` byte for byte.
int linesHolding(std::string_view text, std::string_view needle,
                 const std::array<uchar, 256>& code) {
    const auto* bytes = reinterpret_cast<const uchar*>(text.data());
    const auto first = static_cast<uchar>(needle.front());
    const std::size_t last = text.size() < needle.size() ? 0 : text.size() - needle.size() + 1;
    int lines = 0;
    for (std::size_t at = 0; at < last; ++at) {
        if (code[bytes[at]] != first)
            continue;
        std::size_t matched = 1;
        while (matched < needle.size() &&
               code[bytes[at + matched]] == static_cast<uchar>(needle[matched]))
            ++matched;
        if (matched < needle.size())
            continue;
        ++lines;
        at = lineEnd(text, at + needle.size());
    }
    return lines;
}

int linesHolding(const CardSearchText& text, const std::optional<QByteArray>& expanded,
                 std::string_view needle, const LetterCode& code) {
    if (expanded)
        return linesHolding(std::string_view(expanded->constData(), expanded->size()), needle);
    return linesHolding(upToNul(text.members.notes), needle, code.singles()) +
           linesHolding(upToNul(text.members.table), needle, code.singles());
}

std::optional<QByteArray> exactNeedle(const QString& text) {
    QHash<char16_t, char> bytes;
    const std::array<char16_t, 256>& characters = byteCharacters();
    for (int byte = 1; byte < 256; ++byte)
        bytes.insert(characters[byte], char(byte));
    QByteArray needle;
    for (const QChar c : text) {
        if (!bytes.contains(c.unicode()))
            return std::nullopt;
        needle.append(bytes.value(c.unicode()));
    }
    return needle;
}

} // namespace

qsizetype CardSearchText::heldBytes() const {
    return members.notes.capacity() + members.table.capacity() + (upper ? upper->capacity() : 0) +
           (folded ? folded->capacity() : 0);
}

namespace searchtext {

CardSearchText makeCardSearchText(CardTextMembers members) {
    members.notes.squeeze();
    members.table.squeeze();
    CardSearchText text;
    // Nearly every card reads byte for byte both ways: one pass tells.
    if (!readsByteForByteBothWays(upToNul(members.notes)) ||
        !readsByteForByteBothWays(upToNul(members.table))) {
        text.upper = expandedMembers(members, caseBlindLetters());
        text.folded = expandedMembers(members, accentBlindLetters());
    }
    text.members = std::move(members);
    return text;
}

} // namespace searchtext

CardTextMatcher::CardTextMatcher(const QString& text, LetterMatch letters) : letters_(letters) {
    if (text.isEmpty() || text.contains(u'\r') || text.contains(u'\n'))
        return;
    switch (letters) {
    case LetterMatch::Exact:
        needle_ = exactNeedle(text);
        break;
    case LetterMatch::CaseBlind:
        needle_ = caseBlindLetters().encode(text.toUpper());
        break;
    case LetterMatch::AccentBlind:
        needle_ = accentBlindLetters().encode(accents::folded(text));
        break;
    }
    if (needle_ && needle_->isEmpty())
        needle_.reset();
}

int CardTextMatcher::matchingLines(const CardSearchText& text) const {
    if (!needle_)
        return 0;
    const std::string_view needle(needle_->constData(), needle_->size());
    switch (letters_) {
    case LetterMatch::Exact:
        return linesHolding(upToNul(text.members.notes), needle) +
               linesHolding(upToNul(text.members.table), needle);
    case LetterMatch::CaseBlind:
        return linesHolding(text, text.upper, needle, caseBlindLetters());
    case LetterMatch::AccentBlind:
        return linesHolding(text, text.folded, needle, accentBlindLetters());
    }
    return 0;
}
