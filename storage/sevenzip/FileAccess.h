#pragma once

// The few POSIX file operations the binding needs, with errors as AppError texts
// that name the file. Plain descriptors rather than QFile: the library reads
// item streams from its worker threads.

#include <QString>
#include <QStringList>

namespace sevenzip {

// Czech text for an errno value.
QString systemErrorText(int error);

// The user's text for a failed file operation: `action` is the Czech verb phrase
// ("Nelze otevřít soubor"), followed by the path and the system's reason.
QString fileErrorText(const char* action, const QString& path, int error);

// Opens an existing regular file for reading. The open never waits: a FIFO or a
// device at path is refused with a message instead of blocking the program.
int openForReading(const QString& path);

// A regular file open for positioned reads, and its size when opened.
struct OpenedFile {
    int fd = -1;
    quint64 size = 0;
};
// The same check as openForReading with the fewest system calls (an open and
// one fstat): the descriptor keeps O_NONBLOCK, which regular files ignore; a
// reader that sees EAGAIN all the same calls waitingReads.
OpenedFile openRegularFile(const QString& path);
// Clears O_NONBLOCK on fd; false when it cannot be cleared.
bool waitingReads(int fd);
// Creates the file, or empties an existing one, for writing.
int createTruncated(const QString& path);
// The permission bits a plain create gives a new file: 0666 less the umask,
// which is read once.
quint32 plainCreateMode();
// Creates a file that did not exist (O_EXCL), never through a symbolic link,
// with the given permission bits.
int createExclusive(const QString& path, quint32 mode);
// Removes whatever is at path (a file, a symbolic link or a whole folder tree,
// never following a link) and creates a new file there.
int replaceWithNewFile(const QString& path);
// Removes the file, link or folder tree at path without following links;
// nothing there is no error. False when something could not be removed.
bool removeTree(const QString& path);
// Creates the folders root/parts[0]/parts[1]/... as needed. Returns false, and
// creates nothing further, when one of them is a symbolic link: following it
// could lead out of root.
bool makeFoldersBelow(const QString& root, const QStringList& parts);
// Flushes the file to the disk and closes it.
void syncAndClose(int fd, const QString& path);
// Flushes the file to the disk; the descriptor stays open.
void syncFile(int fd, const QString& path);
// Flushes a folder's entries (a rename in it) to the disk.
void syncFolder(const QString& folder);
void closeQuietly(int fd);

struct FileFacts {
    quint32 mode = 0; // st_mode, file type bits included
    quint64 size = 0;
    quint64 writeTime = 0;  // FILETIME (UTC)
    quint64 createTime = 0; // FILETIME (UTC); the write time where unknown
};

// Facts about a regular file (following symbolic links); false when there is
// none at path.
bool statRegularFile(const QString& path, FileFacts& facts);

} // namespace sevenzip
