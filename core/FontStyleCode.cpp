#include "core/FontStyleCode.h"

namespace {

QChar letter(bool set) {
    return set ? u'T' : u'F';
}

bool isSet(const QString& code, qsizetype index) {
    return index < code.size() && code[index] == u'T';
}

} // namespace

namespace fontstyle {

QString EncodeFontStyle(const QFont& font) {
    const QChar letters[] = {letter(font.bold()), letter(font.italic()), letter(font.underline()),
                             letter(font.strikeOut())};
    return QString(letters, 4);
}

void DecodeFontStyle(const QString& code, QFont& font) {
    font.setBold(isSet(code, 0));
    font.setItalic(isSet(code, 1));
    font.setUnderline(isSet(code, 2));
    font.setStrikeOut(isSet(code, 3));
}

} // namespace fontstyle
