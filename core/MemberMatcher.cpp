#include "core/MemberMatcher.h"

#include "storage/Cp1250.h"

#include <QVarLengthArray>

namespace {

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

MemberMatcher::MemberMatcher(const QString& text, bool caseSensitive)
    : text_(caseSensitive ? text : text.toUpper()) {
    for (int byte = 1; byte < 256; ++byte) {
        QString reads = cp1250::decode(QByteArray(1, char(byte)));
        if (!caseSensitive)
            reads = reads.toUpper();
        if (reads.size() == 1 && reads.at(0).unicode() != 0)
            singles_[byte] = reads.at(0).unicode();
        else
            others_[byte] = reads;
    }
}

int MemberMatcher::matchingLines(const QByteArray& member) const {
    // A line never holds a line break, so such a text is in no line.
    if (text_.isEmpty() || text_.contains(u'\r') || text_.contains(u'\n'))
        return 0;

    QVarLengthArray<char16_t, 4096> decoded;
    decoded.reserve(member.size());
    for (const char byte : member) {
        const auto value = static_cast<unsigned char>(byte);
        if (value == 0)
            break;
        if (singles_[value] != 0) {
            decoded.append(singles_[value]);
        } else {
            const QString& reads = others_[value];
            decoded.append(reinterpret_cast<const char16_t*>(reads.constData()), reads.size());
        }
    }

    // Each hit lies within one line; count its line once and go on after it.
    const QStringView view(decoded.constData(), decoded.size());
    int lines = 0;
    qsizetype from = 0;
    for (qsizetype hit; (hit = view.indexOf(text_, from)) >= 0;) {
        ++lines;
        from = hit + text_.size();
        while (from < view.size() && !isLineBreak(view.at(from)))
            ++from;
    }
    return lines;
}
