#include "storage/HistoryRetention.h"

#include "storage/CardHistory.h"

#include <QFile>

namespace historyretention {

qsizetype keptCount(const QList<qint64>& sizesNewestFirst) {
    qint64 total = 0;
    qsizetype kept = 0;
    for (const qint64 size : sizesNewestFirst) {
        total += size;
        if (kept >= kMostKept || (kept >= kAlwaysKept && total > kBudgetBytes))
            break;
        ++kept;
    }
    return kept;
}

void prune(const QString& folder) {
    const QList<CardVersion> found = cardhistory::versions(folder);
    QList<qint64> sizes;
    for (const CardVersion& version : found)
        sizes << version.size;
    for (qsizetype i = keptCount(sizes); i < found.size(); ++i)
        QFile::remove(found[i].path);
}

} // namespace historyretention
