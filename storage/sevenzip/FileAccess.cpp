#include "storage/sevenzip/FileAccess.h"

#include "storage/AppError.h"
#include "storage/sevenzip/FileTime.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sevenzip {

namespace {

[[noreturn]] void throwFileError(const char* what, const QString& path, int error) {
    throw AppError(
        QStringLiteral("%1 %2: %3").arg(QString::fromLatin1(what), path, systemErrorText(error)));
}

int openOrThrow(const QString& path, int flags, const char* what) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0666);
    if (fd < 0)
        throwFileError(what, path, errno);
    return fd;
}

} // namespace

QString systemErrorText(int error) {
    // strerrordesc_np: always English and safe on any thread.
    const char* text = strerrordesc_np(error);
    return text ? QString::fromUtf8(text) : QStringLiteral("Error %1").arg(error);
}

int openForReading(const QString& path) {
    const int fd = openOrThrow(path, O_RDONLY, "Cannot open file");
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throwFileError("Cannot open file", path, EISDIR);
    }
    return fd;
}

int createTruncated(const QString& path) {
    return openOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC, "Cannot create file");
}

int replaceWithNewFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            throwFileError("Cannot create file", path, EISDIR);
        if (::unlink(name.constData()) != 0)
            throwFileError("Cannot replace file", path, errno);
    }
    return openOrThrow(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, "Cannot create file");
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
                throwFileError("Cannot create folder", folder, ENOTDIR);
            continue;
        }
        if (::mkdir(name.constData(), 0777) != 0 && errno != EEXIST)
            throwFileError("Cannot create folder", folder, errno);
    }
    return true;
}

void syncAndClose(int fd, const QString& path) {
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        throwFileError("Cannot write file", path, error);
    }
    if (::close(fd) != 0)
        throwFileError("Cannot write file", path, errno);
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
