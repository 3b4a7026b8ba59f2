#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Card files for tests, written through the real 7z.so.
namespace testcards {

using Members = QList<QPair<QString, QByteArray>>; // member name, bytes

// Writes an archive at path holding exactly these members, in this order.
void writeArchive(const QString& libraryPath, const QString& path, const Members& members);

// Writes cardDir + name + ".krt" with the members name.tbl (table lines, each
// ending with CR LF) and name.txt (notes text as given), both code page 1250.
void writeCard(const QString& libraryPath, const QString& cardDir, const QString& name,
               const QStringList& tableLines, const QString& notes);

} // namespace testcards
