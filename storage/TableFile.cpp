#include "storage/TableFile.h"

#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/TextLines.h"

namespace tablefile {

QStringList parseTable(const QByteArray& bytes) {
    return textlines::fromBytes(bytes);
}

QByteArray formatTable(const QStringList& lines) {
    return textlines::toBytes(lines);
}

QStringList LoadTable(const QString& path) {
    return tablefile::parseTable(filebytes::read(filenames::actualPath(path)));
}

void SaveTable(const QString& path, const QStringList& lines) {
    const QByteArray bytes = tablefile::formatTable(lines);
    filebytes::write(filenames::pathForWriting(path), bytes);
}

} // namespace tablefile
