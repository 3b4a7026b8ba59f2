#pragma once

#include "storage/sevenzip/ComObject.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/OperationError.h"

#include <QByteArray>
#include <QString>
#include <memory>

// The stream the library reads an archive file through: an adapter over an open
// file descriptor that it closes on destruction. The library reads a Zip
// archive a few bytes at a time (a signature, a header, a name), seeking in
// between; each of those would be a system call, which costs more than the
// bytes. So small reads are served from a window of the file read with one
// pread, seeks only move the position, and large reads go straight into the
// library's buffer. Failures return a result code and leave a readable text
// naming the file in `errors`. Per archive file that is one open, one fstat,
// the reads and the close.
class T7zFileInStream final
    : public sevenzip::ComObject<sevenzip::IInStream, sevenzip::IStreamGetSize> {
public:
    // Takes over the file opened by openRegularFile.
    T7zFileInStream(sevenzip::OpenedFile file, const QString& path,
                    std::shared_ptr<sevenzip::OperationError> errors);
    ~T7zFileInStream() override;

    sevenzip::HRESULT QueryInterface(const TGUID& iid, void** out) override;
    sevenzip::HRESULT Read(void* data, quint32 size, quint32* processed) override;
    sevenzip::HRESULT Seek(qint64 offset, quint32 origin, quint64* newPosition) override;
    sevenzip::HRESULT GetSize(quint64* size) override;

private:
    // Reads up to `size` bytes at `offset` into data; false (with the error
    // recorded) on failure. `got` is short only at the end of the file.
    bool readAt(quint64 offset, char* data, quint64 size, quint64& got);
    bool fillWindow(quint64 offset);
    enum class EndRead { Done, NotDone, Failed };
    EndRead readEnd(char* data, quint64 size, quint64& got);
    sevenzip::HRESULT fail(int error);

    int fd_;
    QString path_;
    std::shared_ptr<sevenzip::OperationError> errors_;
    quint64 size_ = 0;
    quint64 position_ = 0;
    quint64 windowStart_ = 0;
    QByteArray window_;
};
