#include "core/CardFolderWatch.h"

#include <QFileInfo>

CardFolderWatch::CardFolderWatch(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CardFolderWatch::changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { noteChange(); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        // A file replaced by rename is no longer watched: watch the new one.
        if (path == file_ && !watcher_.files().contains(path) && QFileInfo::exists(path))
            watcher_.addPath(path);
        noteChange();
    });
}

void CardFolderWatch::watchFolder(const QString& directory) {
    if (!folder_.isEmpty())
        watcher_.removePath(folder_);
    folder_ = directory;
    if (!folder_.isEmpty() && QFileInfo(folder_).isDir())
        watcher_.addPath(folder_);
}

void CardFolderWatch::watchFile(const QString& path) {
    if (path == file_ && (path.isEmpty() || watcher_.files().contains(path)))
        return;
    if (!file_.isEmpty())
        watcher_.removePath(file_);
    file_ = path;
    if (!file_.isEmpty() && QFileInfo(file_).isFile())
        watcher_.addPath(file_);
}

void CardFolderWatch::noteChange() {
    if (!timer_.isActive()) {
        sinceFirst_.start();
        timer_.start(kQuietMs);
        return;
    }
    // Each change puts the report off, but not past kLatestMs after the first.
    const qint64 left = kLatestMs - sinceFirst_.elapsed();
    timer_.start(int(qBound(qint64(0), left, qint64(kQuietMs))));
}
