#include "storage/sevenzip/T7zFileInStream.h"
#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

using namespace sevenzip;

namespace {

// Holds the headers and text members at the start of a card file in one read.
constexpr quint64 WindowSize = 4 * 1024;

// The end of the file read for the library's search of the archive's end.
constexpr quint64 EndSize = 4 * 1024;
// Bytes before the central directory read all the same.
constexpr quint64 DirectoryMargin = 256;
constexpr quint64 EndRecordSize = 22;

quint32 littleEndian(const char* at, int bytes) {
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uchar>(at[i]);
    return value;
}

// Where the central directory starts, from the end record that closes `end`
// (the file's last bytes); none unless it is a plain archive's record without
// comment whose directory ends where the record starts.
std::optional<quint64> directoryStart(const char* end, quint64 endSize, quint64 fileSize) {
    if (endSize < EndRecordSize || fileSize < EndRecordSize)
        return std::nullopt;
    const char* record = end - EndRecordSize;
    const quint32 entriesOnDisk = littleEndian(record + 8, 2);
    const quint32 entries = littleEndian(record + 10, 2);
    const quint32 directorySize = littleEndian(record + 12, 4);
    const quint32 directoryOffset = littleEndian(record + 16, 4);
    const bool plain = littleEndian(record, 4) == 0x06054b50 && littleEndian(record + 4, 4) == 0 &&
                       entriesOnDisk == entries && entries != 0xFFFF &&
                       littleEndian(record + 20, 2) == 0 && directorySize != 0xFFFFFFFF &&
                       directoryOffset != 0xFFFFFFFF;
    if (!plain || quint64(directoryOffset) + directorySize != fileSize - EndRecordSize)
        return std::nullopt;
    return directoryOffset;
}

} // namespace

T7zFileInStream::T7zFileInStream(OpenedFile file, const QString& path,
                                 std::shared_ptr<OperationError> errors)
    : fd_(file.fd), path_(path), errors_(std::move(errors)), size_(file.size) {}

T7zFileInStream::~T7zFileInStream() {
    closeQuietly(fd_);
}

HRESULT T7zFileInStream::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::IInStream)
        return answer(static_cast<IInStream*>(this), out);
    if (iid == iid::ISequentialInStream)
        return answer(static_cast<ISequentialInStream*>(this), out);
    if (iid == iid::IStreamGetSize)
        return answer(static_cast<IStreamGetSize*>(this), out);
    return noInterface(out);
}

HRESULT T7zFileInStream::fail(int error) {
    try {
        if (errors_)
            errors_->record(fileErrorText("Nelze přečíst soubor", path_, error));
    } catch (...) { // the library must never see an exception; the code still tells
    }
    return E_FAIL;
}

bool T7zFileInStream::readAt(quint64 offset, char* data, quint64 size, quint64& got) {
    got = 0;
    // Nothing is asked past the size the file had when opened: a read at its
    // end would only confirm that it ends.
    size = offset >= size_ ? 0 : qMin(size, size_ - offset);
    while (got < size) {
        const ssize_t count = ::pread(fd_, data + got, size - got, off_t(offset + got));
        if (count < 0 && errno == EINTR)
            continue;
        // The descriptor was opened without waiting; a file system that takes
        // that for its reads too is asked again, now waiting.
        if (count < 0 && errno == EAGAIN && waitingReads(fd_))
            continue;
        if (count < 0) {
            fail(errno);
            return false;
        }
        if (count == 0)
            break; // the file has become shorter
        got += quint64(count);
    }
    return true;
}

bool T7zFileInStream::fillWindow(quint64 offset) {
    window_.resize(qsizetype(WindowSize));
    quint64 got = 0;
    if (!readAt(offset, window_.data(), WindowSize, got)) {
        window_.clear();
        return false;
    }
    window_.resize(qsizetype(got));
    windowStart_ = offset;
    return true;
}

HRESULT T7zFileInStream::Read(void* data, quint32 size, quint32* processed) {
    auto* bytes = static_cast<char*>(data);
    quint64 done = 0;
    HRESULT result = S_OK;
    if (size >= WindowSize) {
        // A large read (item data, the archive's end): straight into the
        // library's buffer.
        const EndRead end = readEnd(bytes, size, done);
        if (end == EndRead::Failed ||
            (end == EndRead::NotDone && !readAt(position_, bytes, size, done)))
            result = E_FAIL;
    } else {
        while (done < size) {
            const quint64 at = position_ + done;
            const bool inWindow = at >= windowStart_ && at < windowStart_ + quint64(window_.size());
            if (!inWindow) {
                if (at >= size_)
                    break; // end of file
                if (!fillWindow(at)) {
                    result = E_FAIL;
                    break;
                }
                if (window_.isEmpty())
                    break; // the file is shorter than it was
            }
            const quint64 from = at - windowStart_;
            const quint64 count = qMin<quint64>(size - done, quint64(window_.size()) - from);
            std::memcpy(bytes + done, window_.constData() + from, count);
            done += count;
        }
    }
    position_ += done;
    if (processed)
        *processed = quint32(done);
    return result;
}

// The library looks for the archive's end in a large block read up to the
// file's end and takes from it the end record and the central directory only;
// the rest, in a card file the picture's packed data, would be copied for
// nothing. So the file's last bytes are read first, and when they hold a plain
// end record and the whole directory, the bytes before the directory are left
// as zeros.
T7zFileInStream::EndRead T7zFileInStream::readEnd(char* data, quint64 size, quint64& got) {
    got = 0;
    if (position_ + size != size_ || size <= EndSize)
        return EndRead::NotDone;
    const quint64 endStart = size - EndSize;
    quint64 endGot = 0;
    if (!readAt(position_ + endStart, data + endStart, EndSize, endGot))
        return EndRead::Failed;
    if (endGot != EndSize) // the file has become shorter
        return EndRead::NotDone;
    const std::optional<quint64> directory = directoryStart(data + size, EndSize, size_);
    if (!directory || *directory < position_ + endStart + DirectoryMargin)
        return EndRead::NotDone;
    std::memset(data, 0, endStart);
    got = size;
    return EndRead::Done;
}

HRESULT T7zFileInStream::Seek(qint64 offset, quint32 origin, quint64* newPosition) {
    qint64 base = 0;
    switch (origin) {
    case 0:
        break;
    case 1:
        base = qint64(position_);
        break;
    case 2:
        base = qint64(size_);
        break;
    default:
        return STG_E_INVALIDFUNCTION;
    }
    if (offset < 0 && base + offset < 0)
        return E_NEGATIVE_SEEK;
    position_ = quint64(base + offset);
    if (newPosition)
        *newPosition = position_;
    return S_OK;
}

HRESULT T7zFileInStream::GetSize(quint64* size) {
    *size = size_;
    return S_OK;
}
