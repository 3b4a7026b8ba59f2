#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes with errors the user can read: each failure raises
// AppError naming the file and the system's reason.
namespace filebytes {

// A regular file only: anything else (a folder, a FIFO) is refused at once.
QByteArray read(const QString& path);

// Creates or replaces the file; a symbolic link at path is replaced by the new
// file, never written through. A failure part-way can leave the file
// incomplete: use it for working copies that are rewritten anyway.
void write(const QString& path, const QByteArray& bytes);

// Writes to a temporary file beside the target and renames it over the target
// only when everything is on disk, so a failure leaves the old file intact.
void writeSafely(const QString& path, const QByteArray& bytes);

QString readError(const QString& path, const QString& reason);
QString writeError(const QString& path, const QString& reason);

} // namespace filebytes
