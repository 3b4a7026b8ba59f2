#pragma once

#include <QString>
#include <QStringList>

namespace csvrecord {

// One record of comma-separated values as RFC 4180 has it: the fields joined by
// commas, a field holding a comma, a double quote, CR or LF enclosed in double
// quotes with its double quotes doubled, and the record ended by CR LF.
QString csvRecord(const QStringList& fields);

} // namespace csvrecord
