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
    explicit T7zOutArchive(const QString& libraryPath);
    ~T7zOutArchive() override;

    // Queues the file at sourcePath under archiveName (a path inside the
    // archive). A missing source file queues nothing. The file's data are read
    // only by WriteArchive.
    void QueueFile(const QString& sourcePath, const QString& archiveName);
    // Writes all queued items as a new archive into the file at path, created
    // or emptied first, and flushes it to the disk. On failure the file holds
    // no valid archive; the caller removes it. The queue stays as it is.
    void WriteArchive(const QString& path);
    // Writes all queued items as a new archive into the empty file open at fd
    // and flushes it to the disk; path names the file in messages. The caller
    // keeps the descriptor and closes it.
    void writeArchiveTo(int fd, const QString& path);
    // Passes one named property (e.g. "X", the compression level) to the
    // writing handler; it applies to every later WriteArchive.
    void SetFormatProperty(const QString& name, quint32 value);

    const std::vector<T7zBatchItem>& queue() const { return queue_; }

private:
    sevenzip::IOutArchive& handler();

    sevenzip::ComPtr<sevenzip::IOutArchive> handler_;
    std::vector<T7zBatchItem> queue_;
};
