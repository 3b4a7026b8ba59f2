#include "core/CardFileStamp.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// Far more than a timestamp tick of any local file system (at most 10 ms).
constexpr qint64 TimestampUncertaintyNs = 100'000'000;

qint64 nanoseconds(const statx_timestamp& time) {
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

std::optional<CardFileStamp> stampAt(int folder, const QString& path) {
    struct statx info {};
    if (::statx(folder, QFile::encodeName(path).constData(), 0, STATX_BASIC_STATS, &info) != 0 ||
        !S_ISREG(info.stx_mode))
        return std::nullopt;
    CardFileStamp stamp;
    stamp.size = qint64(info.stx_size);
    stamp.modifiedNs = nanoseconds(info.stx_mtime);
    stamp.changedNs = nanoseconds(info.stx_ctime);
    stamp.inode = info.stx_ino;
    stamp.device = (quint64(info.stx_dev_major) << 32) | info.stx_dev_minor;
    return stamp;
}

} // namespace

StampedFolder::StampedFolder(const QString& path)
    : path_(path.endsWith(u'/') ? path : path + u'/'),
      fd_(::open(QFile::encodeName(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

StampedFolder::~StampedFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<CardFileStamp> StampedFolder::stamp(const QString& fileName) const {
    return fd_ >= 0 ? stampAt(fd_, fileName) : stampAt(AT_FDCWD, path_ + fileName);
}

namespace cardstamp {

bool mayChangeUnnoticed(const CardFileStamp& stamp, qint64 readAtNs) {
    const qint64 latest = qMax(stamp.modifiedNs, stamp.changedNs);
    return latest + TimestampUncertaintyNs > readAtNs;
}

qint64 wallClockNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::optional<CardFileStamp> of(const QString& path) {
    return stampAt(AT_FDCWD, path);
}

bool sameVersion(const CardFileStamp& a, const CardFileStamp& b) {
    return sameFile(a, b) && a.size == b.size && a.modifiedNs == b.modifiedNs;
}

bool sameFile(const CardFileStamp& a, const CardFileStamp& b) {
    return a.device == b.device && a.inode == b.inode;
}

} // namespace cardstamp
