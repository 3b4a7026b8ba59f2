#include "storage/FolderChangeWatch.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr uint32_t kFileEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM |
                                 IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_DELETE_SELF |
                                 IN_MOVE_SELF | IN_ONLYDIR;
// Events after which the watch no longer covers the folder's files.
constexpr uint32_t kWatchLost =
    IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

// File systems whose every change to a file passes through this kernel.
constexpr std::array<unsigned long, 12> kLocalFileSystems = {
    0xEF53,     // ext2, ext3, ext4
    0x58465342, // xfs
    0x9123683E, // btrfs
    0x01021994, // tmpfs
    0xF2F52010, // f2fs
    0x2FC12FC1, // zfs
    0x52654973, // reiserfs
    0x3153464A, // jfs
    0x3434,     // nilfs
    0xCA451A4E, // bcachefs
    0x858458F6, // ramfs
    0x794C7630, // overlay
};

} // namespace

FolderChangeWatch::FolderChangeWatch(const QString& directory) : directory_(directory) {
    if (!folderchanges::heardFully(directory))
        return;
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return;
    if (::inotify_add_watch(fd_, QFile::encodeName(directory).constData(), kFileEvents) < 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FolderChangeWatch::~FolderChangeWatch() {
    if (fd_ >= 0)
        ::close(fd_);
}

FolderChangeWatch::Changes FolderChangeWatch::takeChanges() {
    Changes changes;
    if (!watching()) {
        changes.lost = true;
        return changes;
    }
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0) {
            if (length == 0 || errno != EAGAIN)
                blind_ = true;
            break;
        }
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & kWatchLost)
                blind_ = true;
            else if (event->len > 0)
                changes.names << QFile::decodeName(event->name);
            at += ssize_t(sizeof(inotify_event)) + event->len;
        }
    }
    changes.lost = blind_;
    return changes;
}

namespace folderchanges {

bool heardFully(const QString& path) {
    struct statfs info {};
    if (::statfs(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    const auto type = static_cast<unsigned long>(info.f_type);
    return std::find(kLocalFileSystems.begin(), kLocalFileSystems.end(), type) !=
           kLocalFileSystems.end();
}

} // namespace folderchanges
