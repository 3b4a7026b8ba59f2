#include "core/CsvCell.h"

namespace csvcell {

namespace {

bool startsRisky(QStringView cell) {
    static const QString risky = QStringLiteral("=+-@'");
    return !cell.isEmpty() && risky.contains(cell.front());
}

} // namespace

QString neutralized(const QString& cell) {
    return startsRisky(cell) ? u'\'' + cell : cell;
}

QString restored(const QString& cell) {
    if (cell.startsWith(u'\'') && startsRisky(QStringView(cell).mid(1)))
        return cell.mid(1);
    return cell;
}

} // namespace csvcell
