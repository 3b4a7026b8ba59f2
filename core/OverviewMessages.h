#pragma once

#include <QStringList>

namespace overviewmessages {

// The message the overview leaves when it could not read some card files
// (damaged, not a card archive, vanished): their rows show no table. One
// message naming them, once the overview is loaded.
QString overviewUnreadableMessage(const QStringList& entries);

} // namespace overviewmessages
