#pragma once

// The few POSIX file operations the binding needs, with errors as AppError texts
// that name the file. Plain descriptors rather than QFile: the library reads
// item streams from its worker threads.

#include <QString>
#include <QStringList>

namespace sevenzip {

// English text for an errno value.
QString systemErrorText(int error);

// Opens an existing file for reading.
int openForReading(const QString& path);
// Creates the file, or empties an existing one, for writing.
int createTruncated(const QString& path);
// Removes whatever file is at path and creates a new one there; a symbolic link
// at path is replaced, never followed.
int replaceWithNewFile(const QString& path);
// Creates the folders root/parts[0]/parts[1]/... as needed. Returns false, and
// creates nothing further, when one of them is a symbolic link: following it
// could lead out of root.
bool makeFoldersBelow(const QString& root, const QStringList& parts);
// Flushes the file to the disk and closes it.
void syncAndClose(int fd, const QString& path);
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
