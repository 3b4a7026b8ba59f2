#include "storage/TextFile.h"

#include "storage/FileBytes.h"
#include "storage/TextLines.h"

QStringList ReadTextLines(const QString& path) {
    return textlines::fromBytes(filebytes::read(path));
}

void WriteTextLines(const QString& path, const QStringList& lines) {
    filebytes::writeSafely(path, textlines::toBytes(lines));
}
