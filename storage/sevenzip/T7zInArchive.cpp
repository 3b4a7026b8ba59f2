#include "storage/sevenzip/T7zInArchive.h"

#include "storage/AppError.h"
#include "storage/sevenzip/ExtractToDirectoryCallback.h"
#include "storage/sevenzip/ExtractToMemoryCallback.h"
#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/HResultText.h"
#include "storage/sevenzip/OpenCallback.h"
#include "storage/sevenzip/OperationResultText.h"
#include "storage/sevenzip/PropVariant.h"
#include "storage/sevenzip/T7zFileInStream.h"

#include <QDir>

using namespace sevenzip;

namespace {
constexpr quint32 AllItems = 0xFFFFFFFF;
}

T7zInArchive::T7zInArchive(const QString& libraryPath)
    : T7zArchive(libraryPath), fileErrors_(std::make_shared<OperationError>()) {}

T7zInArchive::T7zInArchive(std::shared_ptr<const T7zPlugin> loaded)
    : T7zArchive(std::move(loaded)), fileErrors_(std::make_shared<OperationError>()) {}

// The handler goes before the base class unloads the library.
T7zInArchive::~T7zInArchive() {
    close();
}

IInArchive& T7zInArchive::handler() {
    if (!handler_)
        handler_ = createHandler<IInArchive>(iid::IInArchive);
    return *handler_;
}

void T7zInArchive::close() {
    if (open_)
        handler_->Close(); // releases the file stream
    open_ = false;
    itemCount_ = 0;
}

void T7zInArchive::OpenArchive(const QString& path) {
    close();
    fileErrors_->clear();
    const ComPtr<T7zFileInStream> file =
        makeCom<T7zFileInStream>(openForReading(path), path, fileErrors_);
    // Only archives that start at the file's first byte: a null limit would let
    // the library search the file for an archive somewhere inside.
    const quint64 maxCheckStartPosition = 0;
    const ComPtr<OpenCallback> callback = makeCom<OpenCallback>();
    const HRESULT result = handler().Open(file.get(), &maxCheckStartPosition, callback.get());
    if (result != S_OK) // S_FALSE too: the library does not recognise the file
        fail(result, *fileErrors_);
    open_ = true;
    rejectDamagedArchive();
    const HRESULT counted = handler_->GetNumberOfItems(&itemCount_);
    if (counted != S_OK) {
        close();
        fail(counted, *fileErrors_);
    }
}

// The library opens truncated or damaged archives and lists what it can; such
// an archive must not pass for a good one.
void T7zInArchive::rejectDamagedArchive() {
    ReceivedVariant flags(module());
    const HRESULT result = handler_->GetArchiveProperty(propid::ErrorFlags, flags.get());
    if (result == S_OK && flags.toUInt32() == 0)
        return;
    close();
    if (result != S_OK)
        fail(result, *fileErrors_);
    throw AppError(archiveErrorFlagsText(flags.toUInt32()));
}

void T7zInArchive::requireOpen() const {
    if (!open_)
        throw AppError(QStringLiteral("No archive is open"));
}

void T7zInArchive::checkIndex(quint32 index) const {
    // The library does not check indices: an index past the end crashes it.
    if (!open_ || index >= itemCount_)
        throw AppError(QStringLiteral("The archive has no item number %1").arg(index));
}

quint32 T7zInArchive::NumberOfItems() {
    return open_ ? itemCount_ : 0;
}

QString T7zInArchive::ItemPath(quint32 index) {
    checkIndex(index);
    ReceivedVariant path(module());
    const HRESULT result = handler_->GetProperty(index, propid::Path, path.get());
    if (result != S_OK)
        throw AppError(hresultText(result));
    return path.toString();
}

bool T7zInArchive::ItemIsFolder(quint32 index) {
    checkIndex(index);
    ReceivedVariant folder(module());
    const HRESULT result = handler_->GetProperty(index, propid::IsFolder, folder.get());
    if (result != S_OK)
        throw AppError(hresultText(result));
    return folder.toBool();
}

quint64 T7zInArchive::ItemSize(quint32 index) {
    checkIndex(index);
    ReceivedVariant size(module());
    const HRESULT result = handler_->GetProperty(index, propid::Size, size.get());
    if (result != S_OK)
        throw AppError(hresultText(result));
    return size.toUInt64();
}

void T7zInArchive::ExtractAllTo(const QString& directory) {
    requireOpen();
    const QString destination = directory.endsWith(u'/') ? directory : directory + u'/';
    if (!QDir().mkpath(destination))
        throw AppError(QStringLiteral("Cannot create folder %1").arg(destination));
    const auto errors = std::make_shared<OperationError>();
    const auto callback = makeCom<ExtractToDirectoryCallback>(*this, destination, errors);
    extract(nullptr, AllItems, *callback, *errors);
}

QList<QPair<QString, QByteArray>>
T7zInArchive::ReadItems(const std::function<bool(const QString& itemPath)>& wanted) {
    requireOpen();
    std::vector<quint32> indices; // ascending, as the library requires
    QStringList paths;
    for (quint32 index = 0; index < itemCount_; ++index) {
        if (ItemIsFolder(index))
            continue;
        QString path = ItemPath(index);
        if (wanted(path)) {
            indices.push_back(index);
            paths << std::move(path);
        }
    }
    QList<QPair<QString, QByteArray>> items;
    if (indices.empty())
        return items;
    const auto errors = std::make_shared<OperationError>();
    const auto callback = makeCom<ExtractToMemoryCallback>(*this, indices, errors);
    extract(indices.data(), quint32(indices.size()), *callback, *errors);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (!callback->finished(i))
            throw AppError(QStringLiteral("Item %1 could not be unpacked").arg(paths[i]));
        items.append({paths[i], callback->take(i)});
    }
    return items;
}

void T7zInArchive::extract(const quint32* indices, quint32 count, IArchiveExtractCallback& callback,
                           OperationError& errors) {
    const HRESULT result = handler_->Extract(indices, count, 0, &callback);
    if (result != S_OK || errors.isSet() || fileErrors_->isSet())
        fail(result == S_OK ? E_FAIL : result, errors);
}

void T7zInArchive::fail(HRESULT result, OperationError& errors) {
    if (fileErrors_->isSet())
        throw AppError(fileErrors_->text());
    if (errors.isSet())
        throw AppError(errors.text());
    throw AppError(hresultText(result));
}
