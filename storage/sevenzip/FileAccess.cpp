#include "storage/sevenzip/FileAccess.h"

#include "storage/AppError.h"
#include "storage/SystemErrorText.h"
#include "storage/sevenzip/FileTime.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sevenzip {

namespace {

[[noreturn]] void throwFileError(const char* action, const QString& path, int error) {
    throw AppError(fileErrorText(action, path, error));
}

int openOrThrow(const QString& path, int flags, const char* action, quint32 mode = 0666) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, mode);
    if (fd < 0)
        throwFileError(action, path, errno);
    return fd;
}

// What kind of file a non-regular file is, for the refusal to read it.
QString kindOfFile(mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("je to složka");
    if (S_ISFIFO(mode))
        return QStringLiteral("je to pojmenovaná roura (FIFO)");
    if (S_ISSOCK(mode))
        return QStringLiteral("je to soket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("je to zařízení");
    return QStringLiteral("není to obyčejný soubor");
}

int removeEntry(const char* path, const struct stat*, int type, struct FTW*) {
    const int result = type == FTW_DP ? ::rmdir(path) : ::unlink(path);
    return result == 0 || errno == ENOENT ? 0 : -1;
}

} // namespace

QString systemErrorText(int error) {
    return systemerror::systemErrorText(error);
}

QString fileErrorText(const char* action, const QString& path, int error) {
    return QStringLiteral("%1 %2: %3").arg(QString::fromUtf8(action), path, systemErrorText(error));
}

OpenedFile openRegularFile(const QString& path) {
    const int fd = openOrThrow(path, O_RDONLY | O_NONBLOCK, "Nelze otevřít soubor");
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        throwFileError("Nelze otevřít soubor", path, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw AppError(
            QStringLiteral("Nelze otevřít soubor %1: %2").arg(path, kindOfFile(info.st_mode)));
    }
    return {fd, quint64(info.st_size)};
}

bool waitingReads(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags != -1 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

int openForReading(const QString& path) {
    const int fd = openRegularFile(path).fd;
    // Regular files ignore the flag; it goes so that no later read can see EAGAIN.
    waitingReads(fd);
    return fd;
}

int createTruncated(const QString& path) {
    return openOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC, "Nelze vytvořit soubor");
}

quint32 plainCreateMode() {
    static const quint32 mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return quint32(0666 & ~mask);
    }();
    return mode;
}

int createExclusive(const QString& path, quint32 mode) {
    const int fd =
        openOrThrow(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, "Nelze vytvořit soubor", mode);
    // The umask must not narrow a mode taken over from the file being replaced.
    if (::fchmod(fd, mode_t(mode & 07777)) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        throwFileError("Nelze vytvořit soubor", path, error);
    }
    return fd;
}

bool removeTree(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return ::unlink(name.constData()) == 0 || errno == ENOENT;
    // FTW_PHYS: a link inside the tree is removed itself, never followed.
    return ::nftw(name.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

int replaceWithNewFile(const QString& path) {
    if (!removeTree(path))
        throwFileError("Nelze nahradit soubor", path, errno);
    return openOrThrow(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, "Nelze vytvořit soubor");
}

bool makeFoldersBelow(const QString& root, const QStringList& parts) {
    QString folder = root.endsWith(u'/') ? root.chopped(1) : root;
    for (const QString& part : parts) {
        folder += u'/' + part;
        const QByteArray name = QFile::encodeName(folder);
        struct stat info {};
        if (::lstat(name.constData(), &info) == 0) {
            if (S_ISLNK(info.st_mode))
                return false;
            if (!S_ISDIR(info.st_mode))
                throwFileError("Nelze vytvořit složku", folder, ENOTDIR);
            continue;
        }
        if (::mkdir(name.constData(), 0777) != 0 && errno != EEXIST)
            throwFileError("Nelze vytvořit složku", folder, errno);
    }
    return true;
}

void syncFile(int fd, const QString& path) {
    if (::fsync(fd) != 0)
        throwFileError("Nelze zapsat soubor", path, errno);
}

void syncAndClose(int fd, const QString& path) {
    try {
        syncFile(fd, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        throwFileError("Nelze zapsat soubor", path, errno);
}

void syncFolder(const QString& folder) {
    const int fd = openOrThrow(folder, O_RDONLY | O_DIRECTORY, "Nelze zapsat složku");
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        throwFileError("Nelze zapsat složku", folder, error);
    }
    ::close(fd);
}

void closeQuietly(int fd) {
    if (fd >= 0)
        ::close(fd);
}

bool statRegularFile(const QString& path, FileFacts& facts) {
    struct statx info {};
    const int found = ::statx(AT_FDCWD, QFile::encodeName(path).constData(), 0,
                              STATX_BASIC_STATS | STATX_BTIME, &info);
    if (found != 0 || !S_ISREG(info.stx_mode))
        return false;
    facts.mode = info.stx_mode;
    facts.size = info.stx_size;
    facts.writeTime = fileTimeFromUnix(info.stx_mtime.tv_sec, info.stx_mtime.tv_nsec);
    facts.createTime = (info.stx_mask & STATX_BTIME)
                           ? fileTimeFromUnix(info.stx_btime.tv_sec, info.stx_btime.tv_nsec)
                           : facts.writeTime;
    return true;
}

} // namespace sevenzip
