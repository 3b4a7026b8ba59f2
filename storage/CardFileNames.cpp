#include "storage/CardFileNames.h"

namespace cardfile {

QString extension() {
    return QStringLiteral(".krt");
}

QString listMask() {
    return QStringLiteral("*.krt");
}

QString fileNameOf(const QString& cardName) {
    return cardName + extension();
}

QString cardNameOf(const QString& cardPath) {
    const QString fileName = cardPath.section(u'/', -1);
    return fileName.left(qMax<qsizetype>(0, fileName.size() - extension().size()));
}

QString tableMember(const QString& cardName) {
    return cardName + QStringLiteral(".tbl");
}

QString notesMember(const QString& cardName) {
    return cardName + QStringLiteral(".txt");
}

QString pictureMember(const QString& cardName) {
    return cardName + QStringLiteral("1.bmp");
}

QStringList memberNames(const QString& cardName) {
    return {tableMember(cardName), notesMember(cardName), pictureMember(cardName)};
}

} // namespace cardfile
