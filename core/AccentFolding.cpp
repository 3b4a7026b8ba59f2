#include "core/AccentFolding.h"

namespace accents {

namespace {

// Letters whose accent is a stroke or a ligature: Unicode gives them no
// decomposition.
QChar strokeLetterBase(QChar c) {
    switch (c.unicode()) {
    case u'ł':
        return u'l';
    case u'Ł':
        return u'L';
    case u'đ':
        return u'd';
    case u'Đ':
        return u'D';
    case u'ø':
        return u'o';
    case u'Ø':
        return u'O';
    default:
        return c;
    }
}

} // namespace

QString folded(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        result += strokeLetterBase(c);
    }
    return result.toUpper();
}

bool hasAccents(const QString& text) {
    return folded(text) != text.toUpper();
}

} // namespace accents
