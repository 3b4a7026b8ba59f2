#pragma once

#include "storage/sevenzip/ComInterfaces.h"
#include "storage/sevenzip/T7zArchive.h"
#include "storage/sevenzip/T7zBatchItem.h"

#include <QString>
#include <vector>

// Writes a new archive from queued files. Every failure throws AppError with a
// readable text.
class T7zOutArchive : public T7zArchive {
public:
    // When a written archive reaches the disk: at once, or when the caller
    // flushes it (many archives together, with one wait for the disk).
    enum class Flush { ToDisk, ByCaller };

    explicit T7zOutArchive(const QString& libraryPath);
    // A writer on a library loaded by sevenzip::loadArchiveLibrary; loads nothing itself.
    explicit T7zOutArchive(std::shared_ptr<const T7zPlugin> loaded);
    ~T7zOutArchive() override;

    // Queues the file at sourcePath under archiveName (a path inside the
    // archive). A missing source file queues nothing. The file's data are read
    // only by WriteArchive.
    void QueueFile(const QString& sourcePath, const QString& archiveName);
    // Queues bytes held in memory under archiveName, as a regular file written
    // now with the permission bits a plain create gives; nothing touches the
    // disk before WriteArchive. Throws AppError when they cannot be held.
    void queueBytes(const QByteArray& bytes, const QString& archiveName);
    // Writes all queued items as a new archive into the file at path, created
    // or emptied first, and flushes it to the disk. On failure the file holds
    // no valid archive; the caller removes it. The queue stays as it is.
    void WriteArchive(const QString& path);
    // Writes all queued items as a new archive into the empty file open at fd
    // and, unless flush says the caller does it, flushes it to the disk; path
    // names the file in messages. The caller keeps the descriptor and closes it.
    void writeArchiveTo(int fd, const QString& path, Flush flush = Flush::ToDisk);
    // Passes one named property (e.g. "X", the compression level) to the
    // writing handler; it applies to every later WriteArchive.
    void SetFormatProperty(const QString& name, quint32 value);

    const std::vector<T7zBatchItem>& queue() const { return queue_; }

private:
    sevenzip::IOutArchive& handler();

    sevenzip::ComPtr<sevenzip::IOutArchive> handler_;
    std::vector<T7zBatchItem> queue_;
};
