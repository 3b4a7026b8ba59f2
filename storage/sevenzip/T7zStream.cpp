#include "storage/sevenzip/T7zStream.h"

#include "storage/sevenzip/FileAccess.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace sevenzip;

T7zStream::T7zStream(int fd, bool ownsFile, const QString& path,
                     std::shared_ptr<OperationError> errors)
    : fd_(fd), ownsFile_(ownsFile), path_(path), errors_(std::move(errors)) {}

T7zStream::~T7zStream() {
    if (ownsFile_)
        closeQuietly(fd_);
}

HRESULT T7zStream::QueryInterface(const TGUID& iid, void** out) {
    if (iid == iid::IUnknown || iid == iid::IInStream)
        return answer(static_cast<IInStream*>(this), out);
    if (iid == iid::ISequentialInStream)
        return answer(static_cast<ISequentialInStream*>(this), out);
    if (iid == iid::IOutStream)
        return answer(static_cast<IOutStream*>(this), out);
    if (iid == iid::ISequentialOutStream)
        return answer(static_cast<ISequentialOutStream*>(this), out);
    if (iid == iid::IStreamGetSize)
        return answer(static_cast<IStreamGetSize*>(this), out);
    return noInterface(out);
}

HRESULT T7zStream::fail(const char* what, int error) {
    try {
        if (errors_)
            errors_->record(fileErrorText(what, path_, error));
    } catch (...) { // the library must never see an exception; the code still tells
    }
    return E_FAIL;
}

HRESULT T7zStream::Read(void* data, quint32 size, quint32* processed) {
    auto* bytes = static_cast<char*>(data);
    quint32 done = 0;
    while (done < size) {
        const ssize_t count = ::read(fd_, bytes + done, size - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            if (processed)
                *processed = done;
            return fail("Nelze přečíst soubor", errno);
        }
        if (count == 0)
            break; // end of file
        done += quint32(count);
    }
    if (processed)
        *processed = done;
    return S_OK;
}

HRESULT T7zStream::Write(const void* data, quint32 size, quint32* processed) {
    const auto* bytes = static_cast<const char*>(data);
    quint32 done = 0;
    while (done < size) {
        const ssize_t count = ::write(fd_, bytes + done, size - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            if (processed)
                *processed = done;
            return fail("Nelze zapsat soubor", errno);
        }
        done += quint32(count);
    }
    if (processed)
        *processed = done;
    return S_OK;
}

HRESULT T7zStream::Seek(qint64 offset, quint32 origin, quint64* newPosition) {
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin > 2)
        return STG_E_INVALIDFUNCTION;
    const off_t position = ::lseek(fd_, offset, whence[origin]);
    if (position < 0)
        return errno == EINVAL ? E_NEGATIVE_SEEK
                               : fail("Nelze přejít na jiné místo v souboru", errno);
    if (newPosition)
        *newPosition = quint64(position);
    return S_OK;
}

HRESULT T7zStream::SetSize(quint64 size) {
    if (::ftruncate(fd_, off_t(size)) != 0)
        return fail("Nelze zapsat soubor", errno);
    return S_OK;
}

HRESULT T7zStream::GetSize(quint64* size) {
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return fail("Nelze přečíst soubor", errno);
    *size = quint64(info.st_size);
    return S_OK;
}
