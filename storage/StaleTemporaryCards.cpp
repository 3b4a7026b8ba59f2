#include "storage/StaleTemporaryCards.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool processIsGone(qint64 pid) {
    if (pid <= 0 || pid > qint64(INT32_MAX))
        return true;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// A folder under such a name was not left by a save; it stays.
bool isFileOrLink(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 &&
           (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode));
}

} // namespace

int RemoveStaleTemporaryCards(const QString& cardDir) {
    static const QRegularExpression temporaryName(QStringLiteral("^\\..+\\.krt\\.tmp-(\\d{1,10})$"),
                                                  QRegularExpression::CaseInsensitiveOption);
    const QDir dir(cardDir);
    int removed = 0;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = temporaryName.match(name);
        if (!match.hasMatch() || !processIsGone(match.captured(1).toLongLong()))
            continue;
        const QString path = dir.filePath(name);
        if (isFileOrLink(path) && ::unlink(QFile::encodeName(path).constData()) == 0)
            ++removed;
    }
    return removed;
}
