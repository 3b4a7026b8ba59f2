#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reading a table of comma-separated values as spreadsheets write it: the
// encoding and the separator are told from the text itself, fields follow
// RFC 4180 (double quotes around a field that holds a separator, a double
// quote or a line break, with its double quotes doubled).
namespace csvreader {

enum class Encoding { Utf8, Utf8WithBom, Cp1250 };

// The text of the bytes: UTF-8 (its byte-order mark dropped) when they are
// valid UTF-8, else code page 1250, as a Czech spreadsheet saves CSV.
QString decode(const QByteArray& bytes, Encoding* found = nullptr);

// The separator of the text: ";", "," or tab, whichever stands outside quotes
// most evenly on the first lines; "," when none does.
QChar detectSeparator(const QString& text);

// The records of the text, each a list of fields. A record ends at CR LF, a
// lone CR or a lone LF outside quotes; an empty line is no record.
QList<QStringList> parse(const QString& text, QChar separator);

// How a file was read, for the user to check.
QString encodingName(Encoding encoding);
QString separatorName(QChar separator);

} // namespace csvreader

// A CSV file as read: its first record is the header.
struct CsvTable {
    QStringList header;
    QList<QStringList> rows;
    csvreader::Encoding encoding = csvreader::Encoding::Utf8;
    QChar separator = u',';
};

namespace csvreader {

// Reads the file at path. Throws AppError naming the file when it cannot be read
// or holds no record.
CsvTable readCsvFile(const QString& path);

// The same from bytes in memory.
CsvTable readCsvBytes(const QByteArray& bytes);

} // namespace csvreader
