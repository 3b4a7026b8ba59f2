#include "storage/sevenzip/SafeItemPath.h"

namespace sevenzip {

namespace {

bool startsWithDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter();
}

} // namespace

QStringList safeItemPathParts(const QString& itemPath) {
    QString path = itemPath;
    path.replace(u'\\', u'/');
    if (path.startsWith(u'/') || startsWithDriveLetter(path))
        return {};
    QStringList parts;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QStringLiteral(".."))
            return {};
        if (part != QStringLiteral("."))
            parts << part;
    }
    return parts;
}

} // namespace sevenzip
