#pragma once

#include <QString>
#include <QStringList>

namespace unreadablecards {

// The message a content search leaves when it had to pass over card files it
// could not read (damaged, not a card archive, vanished): one message naming
// them, shown once the search is over.
QString unreadableCardsMessage(const QStringList& entries);

// The same message with what became of the files: `fateOfOne` ends the
// sentence about one file, `fateOfMany` introduces the list of several.
QString unreadableCardsMessage(const QStringList& entries, const QString& fateOfOne,
                               const QString& fateOfMany);

} // namespace unreadablecards
