#include "storage/FileBytes.h"

#include "storage/AppError.h"

#include <QFile>
#include <QSaveFile>

namespace filebytes {

QString readError(const QString& path, const QString& reason) {
    return QStringLiteral("Nelze přečíst soubor %1: %2").arg(path, reason);
}

QString writeError(const QString& path, const QString& reason) {
    return QStringLiteral("Nelze zapsat soubor %1: %2").arg(path, reason);
}

QByteArray read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(readError(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(readError(path, file.errorString()));
    return bytes;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw AppError(writeError(path, file.errorString()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw AppError(writeError(path, file.errorString()));
}

void writeSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(writeError(path, file.errorString()));
}

} // namespace filebytes
