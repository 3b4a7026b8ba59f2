#include "storage/sevenzip/T7zFileInStream.h"
#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace sevenzip;

namespace {

// Holds the headers and text members at the start of a card file in one read.
constexpr quint64 WindowSize = 16 * 1024;

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
        // A large read (item data): straight into the library's buffer.
        if (!readAt(position_, bytes, size, done))
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
