#pragma once

#include <QString>

namespace sevenzip {

// A readable text for a failed unpack of one item (SetOperationResult codes),
// naming the item.
QString operationResultText(qint32 result, const QString& itemPath);

// A readable text for the error flags the library reports for an opened archive
// (archive property 71); empty when no flag is set.
QString archiveErrorFlagsText(quint32 flags);

} // namespace sevenzip
