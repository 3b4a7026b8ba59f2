#pragma once

#include <QString>

namespace sevenzip {

// A readable Czech text for a failed unpack of one item (SetOperationResult
// codes), naming the item; it starts with a small letter to follow "…: ".
QString operationResultText(qint32 result, const QString& itemPath);

// A readable Czech text for the error flags the library reports for an opened
// archive (archive property 71); empty when no flag is set.
QString archiveErrorFlagsText(quint32 flags);

} // namespace sevenzip
