#include "storage/TextFile.h"

#include "storage/FileBytes.h"
#include "storage/TextLines.h"

namespace textfile {

QStringList readTextLines(const QString& path) {
    return textlines::fromBytes(filebytes::read(path));
}

void writeTextLines(const QString& path, const QStringList& lines) {
    filebytes::writeSafely(path, textlines::toBytes(lines));
}

} // namespace textfile
