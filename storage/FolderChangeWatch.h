#pragma once

#include <QString>
#include <QStringList>

// Hears the kernel's word of every change to the files of one folder: a file
// written, its times or permissions set, created, deleted or renamed in or
// out. What happened since the last look is taken at once, without waiting.
// The word may be lost (the kernel's queue overflowed, the folder itself
// removed or moved, a file system whose changes the kernel does not see all of,
// such as one shared over the network): the watch then says so, and whoever
// relies on it must check every file again.
class FolderChangeWatch {
public:
    // Starts watching directory; check watching() for whether it could.
    explicit FolderChangeWatch(const QString& directory);
    ~FolderChangeWatch();
    FolderChangeWatch(const FolderChangeWatch&) = delete;
    FolderChangeWatch& operator=(const FolderChangeWatch&) = delete;

    struct Changes {
        // The names of the files changed since the last look.
        QStringList names;
        // Some changes may have gone unheard: every file may have changed.
        bool lost = false;
    };

    // What changed since the last call (or since the watch began). Once the
    // watch has lost changes it stays blind: make a new one.
    Changes takeChanges();
    // Whether every change from the start until now has been heard.
    bool watching() const { return fd_ >= 0 && !blind_; }
    const QString& directory() const { return directory_; }

private:
    QString directory_;
    int fd_ = -1;
    bool blind_ = false;
};

namespace folderchanges {

// Whether the kernel reports every change to files on the file system holding
// path: a local disk or memory file system, not one shared over the network or
// served by a user program.
bool heardFully(const QString& path);

} // namespace folderchanges
