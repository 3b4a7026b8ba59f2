#include "core/SyncConflictNames.h"

#include <QRegularExpression>

namespace syncnames {
namespace {

// Syncthing inserts ".sync-conflict-<date>-<time>-<short device id>" before
// the extension.
const QRegularExpression& syncthingCopy() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(.+)\.sync-conflict-\d{8}-\d{6}-[A-Z0-9]{7}(\.[^.]+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Nextcloud, ownCloud and Dropbox insert " (… conflicted copy …)" before the
// extension; Dropbox puts the user's name before the words.
const QRegularExpression& conflictedCopy() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(.+?) \([^()]*conflicted copy[^()]*\)(\.[^.]+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

QString conflictOwner(const QString& fileName) {
    // A plain look first: the patterns are matched only on likely names, as
    // every name of a large card folder comes here.
    if (!fileName.contains(u"sync-conflict-", Qt::CaseInsensitive) &&
        !fileName.contains(u"conflicted copy", Qt::CaseInsensitive))
        return {};
    for (const QRegularExpression* pattern : {&syncthingCopy(), &conflictedCopy()}) {
        const QRegularExpressionMatch match = pattern->match(fileName);
        if (match.hasMatch())
            return match.captured(1) + match.captured(2);
    }
    return {};
}

bool isSyncTemporary(const QString& fileName) {
    const auto startsWith = [&](const char16_t* prefix) {
        return fileName.startsWith(QStringView(prefix), Qt::CaseInsensitive);
    };
    const auto endsWith = [&](const char16_t* suffix) {
        return fileName.endsWith(QStringView(suffix), Qt::CaseInsensitive);
    };
    return startsWith(u".syncthing.") || startsWith(u"~syncthing~") || startsWith(u".~") ||
           fileName.contains(u".~") || endsWith(u".part") || endsWith(u".partial") ||
           endsWith(u".tmp");
}

} // namespace syncnames
