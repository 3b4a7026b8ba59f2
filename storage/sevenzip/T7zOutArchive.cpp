#include "storage/sevenzip/T7zOutArchive.h"

#include "storage/AppError.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/FileTime.h"
#include "storage/sevenzip/HResultText.h"
#include "storage/sevenzip/UpdateCallback.h"

#include <cerrno>
#include <ctime>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sevenzip;

T7zOutArchive::T7zOutArchive(const QString& libraryPath) : T7zArchive(libraryPath) {}

T7zOutArchive::T7zOutArchive(std::shared_ptr<const T7zPlugin> loaded)
    : T7zArchive(std::move(loaded)) {}

// Queued streams and the handler go before the base class unloads the library.
T7zOutArchive::~T7zOutArchive() {
    queue_.clear();
    handler_.reset();
}

IOutArchive& T7zOutArchive::handler() {
    if (!handler_)
        handler_ = createHandler<IOutArchive>(iid::IOutArchive);
    return *handler_;
}

void T7zOutArchive::QueueFile(const QString& sourcePath, const QString& archiveName) {
    FileFacts facts;
    if (!statRegularFile(sourcePath, facts))
        return;
    T7zBatchItem item;
    item.SourceKind = T7zBatchItem::FromFile;
    item.SourcePath = sourcePath;
    item.ArchiveName = archiveName;
    item.CreateTime = facts.createTime;
    item.WriteTime = facts.writeTime;
    item.ByteSize = facts.size;
    // The library stores the attributes verbatim and marks entries as made on
    // Unix, so the Unix mode must ride in the high half for unzip to restore
    // sane permissions.
    item.FileAttributes = FileAttributeUnixExtension | (facts.mode << 16) | FileAttributeArchive;
    queue_.push_back(std::move(item));
}

namespace {

// A file in memory holding bytes, read from its start; named in messages as name.
int memoryFileOf(const QByteArray& bytes, const QString& name) {
    const int fd = ::memfd_create("kartoteka-member", MFD_CLOEXEC);
    if (fd < 0)
        throw AppError(fileErrorText("Nelze vytvořit soubor", name, errno));
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int error = errno;
            ::close(fd);
            throw AppError(fileErrorText("Nelze zapsat soubor", name, error));
        }
        written += count;
    }
    return fd;
}

} // namespace

void T7zOutArchive::queueBytes(const QByteArray& bytes, const QString& archiveName) {
    const int fd = memoryFileOf(bytes, archiveName);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const quint32 mode = S_IFREG | plainCreateMode();
    T7zBatchItem item;
    item.SourceKind = T7zBatchItem::FromStream;
    // A read failing is told to the library, which ends WriteArchive with an error.
    item.SourceStream =
        makeCom<T7zStream>(fd, true, archiveName, std::make_shared<OperationError>());
    item.ArchiveName = archiveName;
    item.CreateTime = fileTimeFromUnix(now.tv_sec, now.tv_nsec);
    item.WriteTime = item.CreateTime;
    item.ByteSize = quint64(bytes.size());
    item.FileAttributes = FileAttributeUnixExtension | (mode << 16) | FileAttributeArchive;
    queue_.push_back(std::move(item));
}

void T7zOutArchive::WriteArchive(const QString& path) {
    // A fresh, empty file: the library writes from the current position and
    // leaves whatever lies beyond the archive's end.
    const int fd = createTruncated(path);
    try {
        writeArchiveTo(fd, path);
    } catch (...) {
        closeQuietly(fd);
        throw;
    }
    syncAndClose(fd, path);
}

void T7zOutArchive::writeArchiveTo(int fd, const QString& path, Flush flush) {
    IOutArchive& writer = handler();
    const auto errors = std::make_shared<OperationError>();
    HRESULT result = S_OK;
    {
        const auto output = makeCom<T7zStream>(fd, false, path, errors);
        const auto callback = makeCom<UpdateCallback>(queue_, module(), errors);
        result = writer.UpdateItems(output.get(), quint32(queue_.size()), callback.get());
    }
    if (errors->isSet())
        throw AppError(errors->text());
    if (result != S_OK)
        throw AppError(
            QStringLiteral("Soubor karty %1 nelze zapsat: %2").arg(path, hresultText(result)));
    if (flush == Flush::ToDisk)
        syncFile(fd, path);
}

void T7zOutArchive::SetFormatProperty(const QString& name, quint32 value) {
    void* found = nullptr;
    if (handler().QueryInterface(iid::ISetProperties, &found) != S_OK || found == nullptr)
        throw AppError(hresultText(E_NOINTERFACE));
    const auto setter = ComPtr<ISetProperties>::adopt(static_cast<ISetProperties*>(found));
    const std::wstring wideName = name.toStdWString();
    const wchar_t* names[] = {wideName.c_str()};
    PROPVARIANT values[1] = {};
    values[0].vt = VT_UI4;
    values[0].ulVal = value;
    const HRESULT result = setter->SetProperties(names, values, 1);
    if (result != S_OK)
        throw AppError(QStringLiteral("Vlastnost archivu %1 nelze nastavit: %2")
                           .arg(name, hresultText(result)));
}
