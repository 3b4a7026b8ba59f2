#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace overviewcsv {

// The overview's rows as a CSV file for a spreadsheet: UTF-8 with a byte-order
// mark, the column titles as the first record, each record as RFC 4180 has it
// (CsvRecord.h), and every cell that a spreadsheet would run as a formula
// written as text (CsvCell.h).
QByteArray overviewCsvBytes(const QStringList& titles, const QList<QStringList>& rows);

} // namespace overviewcsv
