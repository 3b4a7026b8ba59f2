#include "storage/TableFile.h"

#include "storage/FileBytes.h"
#include "storage/FileNames.h"
#include "storage/TextLines.h"

QStringList ParseTable(const QByteArray& bytes) {
    return textlines::fromBytes(bytes);
}

QByteArray FormatTable(const QStringList& lines) {
    return textlines::toBytes(lines);
}

QStringList LoadTable(const QString& path) {
    return ParseTable(filebytes::read(filenames::actualPath(path)));
}

void SaveTable(const QString& path, const QStringList& lines) {
    const QByteArray bytes = FormatTable(lines);
    filebytes::write(filenames::pathForWriting(path), bytes);
}
