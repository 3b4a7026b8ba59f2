#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

class TestProgramDir;

// Card files for tests, written and read through the real 7z.so, without the
// program's own card code.
namespace testcards {

using Members = QList<QPair<QString, QByteArray>>; // member name, bytes

// Writes an archive at path holding exactly these members, in this order.
void writeArchive(const QString& libraryPath, const QString& path, const Members& members);

// Writes CardDir/name.krt with the members name.tbl (table lines, each ending
// with CR LF) and name.txt (notes text as given), both code page 1250, and,
// when bitmap is not empty, name1.bmp holding those bytes.
void writeCard(const TestProgramDir& dir, const QString& name, const QStringList& tableLines,
               const QString& notes = {}, const QByteArray& bitmap = {});

// Writes the card as writeCard does, but as a sync tool brings a version from
// another computer: into a hidden file beside it, renamed over the card file
// (a new file under the old name).
void replaceCard(const TestProgramDir& dir, const QString& name, const QStringList& tableLines,
                 const QString& notes = {}, const QByteArray& bitmap = {});

// The members of the card file CardDir/fileName, by name.
QMap<QString, QByteArray> readCard(const TestProgramDir& dir, const QString& fileName);

// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// A picture of one colour.
QImage filledImage(QSize size, QColor color);

// A small Windows bitmap file of one colour.
QByteArray bitmapBytes(int width = 64, int height = 48, QColor color = Qt::red);

} // namespace testcards
