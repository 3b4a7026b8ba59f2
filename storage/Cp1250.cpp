#include "storage/Cp1250.h"

#include "storage/AppError.h"

#include <QStringList>
#include <cstring>
#include <iconv.h>

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* kUtf16 = "UTF-16LE";
#else
constexpr const char* kUtf16 = "UTF-16BE";
#endif
constexpr const char* kCp1250 = "CP1250";

bool isUndefinedByte(uchar byte) {
    return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

// The two iconv descriptors are opened once per thread: a content search decodes
// thousands of small files, and opening a descriptor costs far more than using it.
class Converters {
public:
    Converters() : toUnicode_(open(kUtf16, kCp1250)), fromUnicode_(open(kCp1250, kUtf16)) {}
    ~Converters() {
        iconv_close(toUnicode_);
        iconv_close(fromUnicode_);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;

    iconv_t toUnicode() const { return reset(toUnicode_); }
    iconv_t fromUnicode() const { return reset(fromUnicode_); }

    static Converters& forThisThread() {
        thread_local Converters converters;
        return converters;
    }

private:
    static iconv_t open(const char* to, const char* from) {
        iconv_t descriptor = iconv_open(to, from);
        if (descriptor == reinterpret_cast<iconv_t>(-1))
            throw AppError(QStringLiteral("Převod textu %1 → %2 není k dispozici")
                               .arg(QLatin1String(from), QLatin1String(to)));
        return descriptor;
    }
    static iconv_t reset(iconv_t descriptor) {
        iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
        return descriptor;
    }

    iconv_t toUnicode_;
    iconv_t fromUnicode_;
};

// One character of text starting at index: one UTF-16 unit, or two for a
// character outside the Basic Multilingual Plane.
qsizetype characterLength(const QString& text, qsizetype index) {
    const bool pair = index + 1 < text.size() && text.at(index).isHighSurrogate() &&
                      text.at(index + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

// Converts text, collecting every character that does not fit into `refused`
// (each once). The result is complete only when `refused` stays empty.
QByteArray convertToCp1250(const QString& text, QString& refused) {
    QByteArray result(text.size(), Qt::Uninitialized);
    iconv_t descriptor = Converters::forThisThread().fromUnicode();
    auto* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    size_t inLeft = size_t(text.size()) * sizeof(QChar);
    char* out = result.data();
    size_t outLeft = size_t(result.size());
    while (inLeft > 0) {
        if (iconv(descriptor, &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        // E2BIG cannot happen: no character takes more than one byte.
        const qsizetype index = text.size() - qsizetype(inLeft / sizeof(QChar));
        const qsizetype length = characterLength(text, index);
        const char16_t unit = text.at(index).unicode();
        if (length == 1 && unit < 0x100 && isUndefinedByte(uchar(unit))) {
            *out++ = char(unit);
            --outLeft;
        } else {
            const QString character = text.mid(index, length);
            if (!refused.contains(character))
                refused += character;
        }
        in += length * sizeof(QChar);
        inLeft -= length * sizeof(QChar);
    }
    result.truncate(out - result.data());
    return result;
}

// How a refused character appears in a message: itself when it can be seen,
// otherwise its code point, which an invisible or blank character needs.
QString describeCharacter(const QString& character) {
    const char32_t codePoint = character.size() == 2
                                   ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                                   : char32_t(character.at(0).unicode());
    if (QChar::isPrint(codePoint) && !QChar::isSpace(codePoint))
        return character;
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QLatin1Char('0')).toUpper();
}

QStringList splitCharacters(const QString& characters) {
    QStringList list;
    for (qsizetype i = 0; i < characters.size();) {
        const qsizetype length = characterLength(characters, i);
        list << characters.mid(i, length);
        i += length;
    }
    return list;
}

} // namespace

namespace cp1250 {

QString decode(const QByteArray& bytes) {
    QString result(bytes.size(), Qt::Uninitialized);
    iconv_t descriptor = Converters::forThisThread().toUnicode();
    auto* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    auto* out = reinterpret_cast<char*>(result.data());
    size_t outLeft = size_t(result.size()) * sizeof(QChar);
    while (inLeft > 0) {
        if (iconv(descriptor, &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        // Only an undefined byte stops a single-byte code page; keep its value.
        const QChar kept{uchar(*in)};
        std::memcpy(out, &kept, sizeof(QChar));
        out += sizeof(QChar);
        outLeft -= sizeof(QChar);
        ++in;
        --inLeft;
    }
    result.truncate(qsizetype((out - reinterpret_cast<char*>(result.data())) / sizeof(QChar)));
    return result;
}

QByteArray encode(const QString& text) {
    QString refused;
    QByteArray bytes = convertToCp1250(text, refused);
    if (!refused.isEmpty()) {
        QStringList shown;
        for (const QString& character : splitCharacters(refused))
            shown << describeCharacter(character);
        throw AppError(QStringLiteral("Text obsahuje znaky, které nelze uložit: ") +
                       shown.join(u' '));
    }
    return bytes;
}

QString unencodable(const QString& text) {
    QString refused;
    convertToCp1250(text, refused);
    return refused;
}

const std::array<char16_t, 256>& byteCharacters() {
    static const std::array<char16_t, 256> characters = [] {
        std::array<char16_t, 256> table{};
        for (int byte = 0; byte < 256; ++byte)
            table[byte] = decode(QByteArray(1, char(byte))).at(0).unicode();
        return table;
    }();
    return characters;
}

} // namespace cp1250
