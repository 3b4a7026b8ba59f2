#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

// Independent Zip writers and checkers for tests of the archive binding:
// Python's zipfile and Info-ZIP's zip/unzip, run as processes.
namespace ziptools {

struct Run {
    int exitCode = -1;
    QByteArray output; // stdout and stderr
};

Run runProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {},
               const QString& workingDirectory = {});

struct Entry {
    QString name; // stored verbatim: "../x", "/abs", "a\\b" and folder names ending in "/"
    QByteArray data;
};

// Writes a Zip archive with Python's zipfile; deflated or stored.
void writeWithPython(const QString& zipPath, const QList<Entry>& entries, bool deflated);

// Appends entries to an existing archive with Python's zipfile in mode "a", as a
// program updating a member does: a name already there is stored a second time.
void appendWithPython(const QString& zipPath, const QList<Entry>& entries);

// Python's view of an archive: one object per entry with "name", "compress_type",
// "external_attr", "flag_bits", "date_time" (list) and "data" (hex).
QJsonArray readWithPython(const QString& zipPath);

// Writes bytes to path, creating its folders; returns path. Throws when it cannot.
QString writeFile(const QString& path, const QByteArray& bytes);
// Every file below root (hidden ones too), by its path relative to root.
QMap<QString, QByteArray> filesBelow(const QString& root);
// size bytes that do not compress, the same for the same seed.
QByteArray randomBytes(int size, quint32 seed);

// The offset of the first occurrence of `needle` in the file.
qsizetype findInFile(const QString& path, const QByteArray& needle);
// Overwrites one byte of a file.
void patchByte(const QString& path, qsizetype offset, char value);

} // namespace ziptools
