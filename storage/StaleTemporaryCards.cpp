#include "storage/StaleTemporaryCards.h"

#include "storage/NewCardBatch.h"
#include "storage/sevenzip/FileAccess.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
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
bool isFileOrLink(int dirFd, const char* name) {
    struct stat info {};
    return ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode));
}

// The pid of a save's temporary file name, or 0 for any other name.
qint64 savingProcessOf(const char* name) {
    static const QRegularExpression temporaryName(QStringLiteral("^\\..+\\.krt\\.tmp-(\\d{1,10})$"),
                                                  QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = temporaryName.match(QFile::decodeName(name));
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool isFolder(int dirFd, const char* name) {
    struct stat info {};
    return ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// The private folder of a batch of new cards whose process is gone goes with
// the card files in it, none of which had been put in place.
bool removeStaleBatchFolder(int dirFd, const char* name, const QString& cardDir) {
    const qint64 pid = newcardfiles::batchFolderProcess(QFile::decodeName(name));
    if (pid == 0 || !processIsGone(pid) || !isFolder(dirFd, name))
        return false;
    return sevenzip::removeTree(cardDir + u'/' + QFile::decodeName(name));
}

} // namespace

namespace temporarycards {

int removeStaleTemporaryCards(const QString& cardDir) {
    // Read with readdir: this runs at every start, and the card folder may hold
    // a hundred thousand card files, of which only hidden names can matter.
    DIR* dir = ::opendir(QFile::encodeName(cardDir).constData());
    if (dir == nullptr)
        return 0;
    const int dirFd = ::dirfd(dir);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            continue;
        if (removeStaleBatchFolder(dirFd, entry->d_name, cardDir)) {
            ++removed;
            continue;
        }
        const qint64 pid = savingProcessOf(entry->d_name);
        if (pid == 0 || !processIsGone(pid) || !isFileOrLink(dirFd, entry->d_name))
            continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace temporarycards
