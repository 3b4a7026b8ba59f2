#include "core/OverviewCsv.h"

#include "core/CsvCell.h"
#include "core/CsvRecord.h"

namespace {

QString neutralizedRecord(const QStringList& cells) {
    QStringList written;
    written.reserve(cells.size());
    for (const QString& cell : cells)
        written.append(csvcell::neutralized(cell));
    return csvrecord::csvRecord(written);
}

} // namespace

namespace overviewcsv {

QByteArray overviewCsvBytes(const QStringList& titles, const QList<QStringList>& rows) {
    QString text = neutralizedRecord(titles);
    for (const QStringList& row : rows)
        text += neutralizedRecord(row);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace overviewcsv
