#pragma once

#include <QString>
#include <optional>

// What tells one state of a card file from another without reading it: its
// size, its modification and status-change times to the nanosecond, and its
// inode. Any write, replacement (a new inode) or metadata change of the file
// gives a different stamp.
struct CardFileStamp {
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;

    bool operator==(const CardFileStamp&) const = default;
};

// A folder held open for stamping many of its files: each look-up walks only
// the file's own name, not the whole path again.
class StampedFolder {
public:
    explicit StampedFolder(const QString& path);
    ~StampedFolder();
    StampedFolder(const StampedFolder&) = delete;
    StampedFolder& operator=(const StampedFolder&) = delete;

    // The stamp of the regular file fileName in the folder, symbolic links
    // followed as an open follows them; none when there is no such file.
    std::optional<CardFileStamp> stamp(const QString& fileName) const;

private:
    QString path_;
    int fd_; // -1 when the folder could not be opened: whole paths are looked up
};

namespace cardstamp {

// Whether the file may still change within the same timestamp: the clock that
// stamps files ticks in steps of milliseconds, so a write in the moment after
// `readAtNs` (wall clock, ns since the epoch) would keep the stamp it had when
// it was read.
bool mayChangeUnnoticed(const CardFileStamp& stamp, qint64 readAtNs);

// The wall clock in nanoseconds since the epoch, the clock of file times.
qint64 wallClockNs();

// The stamp of the regular file at path, symbolic links followed; none when
// there is no such file.
std::optional<CardFileStamp> of(const QString& path);
// Whether two stamps show one version of a file: the same file (device and
// inode), size and modification time. The status-change time is left out: a
// link to the file (as the card's history makes) or a new permission moves it.
bool sameVersion(const CardFileStamp& a, const CardFileStamp& b);
// Whether two stamps are of one file (device and inode), whatever its name.
bool sameFile(const CardFileStamp& a, const CardFileStamp& b);

} // namespace cardstamp
