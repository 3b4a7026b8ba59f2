#include "storage/FileBytes.h"

#include "storage/AppError.h"
#include "storage/SystemErrorText.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace filebytes {

namespace {

// Closes the descriptor when the function that opened it leaves.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting the close's own error.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

QString kindOfFile(mode_t mode) {
    if (S_ISDIR(mode))
        return systemerror::systemErrorText(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("je to pojmenovaná roura (FIFO)");
    return QStringLiteral("není to obyčejný soubor");
}

// O_NOFOLLOW: a member written into the working directory never goes through a
// link left there; the link is removed and a new file made in its place.
int openForWriting(const QByteArray& name) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(name.constData(), flags, 0666);
    if (fd < 0 && errno == ELOOP && ::unlink(name.constData()) == 0)
        fd = ::open(name.constData(), flags | O_EXCL, 0666);
    return fd;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        done += count;
    }
    return true;
}

} // namespace

QString readError(const QString& path, const QString& reason) {
    return QStringLiteral("Nelze přečíst soubor %1: %2").arg(path, reason);
}

QString writeError(const QString& path, const QString& reason) {
    return QStringLiteral("Nelze zapsat soubor %1: %2").arg(path, reason);
}

QByteArray read(const QString& path) {
    // O_NONBLOCK: a FIFO under the name is refused, not waited on.
    Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        throw AppError(readError(path, systemerror::systemErrorText(errno)));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        throw AppError(readError(path, systemerror::systemErrorText(errno)));
    if (!S_ISREG(info.st_mode))
        throw AppError(readError(path, kindOfFile(info.st_mode)));
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw AppError(readError(path, systemerror::systemErrorText(errno)));
        if (count == 0)
            return bytes;
        bytes.append(buffer, count);
    }
}

void write(const QString& path, const QByteArray& bytes) {
    Descriptor file(openForWriting(QFile::encodeName(path)));
    if (file.get() < 0 || !writeAll(file.get(), bytes) || !file.close())
        throw AppError(writeError(path, systemerror::systemErrorText(errno)));
}

void writeSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const int error = errno;
        throw AppError(writeError(path, error != 0 ? systemerror::systemErrorText(error)
                                                   : file.errorString()));
    }
}

} // namespace filebytes
