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

// Whole megabytes, rounded up, for the limit texts.
QString megabytes(quint64 bytes) {
    return QString::number((bytes + (1u << 20) - 1) >> 20);
}

std::vector<quint32> indicesOf(const std::vector<ArchiveItem>& items) {
    std::vector<quint32> indices;
    indices.reserve(items.size());
    for (const ArchiveItem& item : items)
        indices.push_back(item.index);
    return indices;
}

} // namespace

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

QString T7zInArchive::readErrorText(const QString& reason) const {
    return QStringLiteral("Soubor karty %1 nelze přečíst: %2").arg(path_, reason);
}

QString T7zInArchive::itemTooLargeText(const QString& itemPath, quint64 limit) const {
    return readErrorText(QStringLiteral("položka %1 je po rozbalení větší než povolených %2 MB")
                             .arg(itemPath, megabytes(limit)));
}

QString T7zInArchive::totalTooLargeText(quint64 limit) const {
    return readErrorText(QStringLiteral("obsah karty je po rozbalení větší než povolených %1 MB")
                             .arg(megabytes(limit)));
}

void T7zInArchive::OpenArchive(const QString& path) {
    close();
    path_ = path;
    fileErrors_->clear();
    const ComPtr<T7zFileInStream> file =
        makeCom<T7zFileInStream>(openRegularFile(path), path, fileErrors_);
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
    rejectTooManyItems();
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
    throw AppError(readErrorText(archiveErrorFlagsText(flags.toUInt32())));
}

// Refused before any name is listed: tens of thousands of tiny items would take
// many seconds to unpack and leave as many files.
void T7zInArchive::rejectTooManyItems() {
    if (itemCount_ <= limits_.maxItems)
        return;
    const quint32 count = itemCount_;
    close();
    throw AppError(
        readErrorText(QStringLiteral("obsahuje %1 položek, povoleno je nejvýše %2")
                          .arg(QString::number(count), QString::number(limits_.maxItems))));
}

void T7zInArchive::requireOpen() const {
    if (!open_)
        throw AppError(QStringLiteral("Není otevřen žádný archiv"));
}

void T7zInArchive::checkIndex(quint32 index) const {
    // The library does not check indices: an index past the end crashes it.
    if (!open_ || index >= itemCount_)
        throw AppError(QStringLiteral("Archiv nemá položku číslo %1").arg(index));
}

quint32 T7zInArchive::numberOfItems() {
    return open_ ? itemCount_ : 0;
}

QString T7zInArchive::itemPath(quint32 index) {
    checkIndex(index);
    ReceivedVariant path(module());
    const HRESULT result = handler_->GetProperty(index, propid::Path, path.get());
    if (result != S_OK)
        throw AppError(readErrorText(hresultText(result)));
    return path.toString();
}

bool T7zInArchive::itemIsFolder(quint32 index) {
    checkIndex(index);
    ReceivedVariant folder(module());
    const HRESULT result = handler_->GetProperty(index, propid::IsFolder, folder.get());
    if (result != S_OK)
        throw AppError(readErrorText(hresultText(result)));
    return folder.toBool();
}

quint64 T7zInArchive::itemSize(quint32 index) {
    checkIndex(index);
    ReceivedVariant size(module());
    const HRESULT result = handler_->GetProperty(index, propid::Size, size.get());
    if (result != S_OK)
        throw AppError(readErrorText(hresultText(result)));
    return size.toUInt64();
}

std::vector<ArchiveItem> T7zInArchive::chosenItems() {
    requireOpen();
    std::vector<ArchiveItem> files;
    for (quint32 index = 0; index < itemCount_; ++index) {
        if (!itemIsFolder(index))
            files.push_back({index, itemPath(index), itemSize(index)});
    }
    return chooseItems(files);
}

std::vector<ArchiveItem> T7zInArchive::itemsToUnpack(const ItemFilter& wanted) {
    std::vector<ArchiveItem> items;
    quint64 total = 0;
    for (ArchiveItem& item : chosenItems()) {
        if (wanted && !wanted(item.path))
            continue;
        const quint64 limit = limits_.limitFor(item.path);
        if (item.size > limit)
            throw AppError(
                readErrorText(QStringLiteral("položka %1 by po rozbalení měla %2 MB, "
                                             "povoleno je nejvýše %3 MB")
                                  .arg(item.path, megabytes(item.size), megabytes(limit))));
        total += item.size;
        if (total > limits_.maxTotalBytes)
            throw AppError(
                readErrorText(QStringLiteral("obsah karty by po rozbalení měl přes "
                                             "%1 MB, povoleno je nejvýše %2 MB")
                                  .arg(megabytes(total), megabytes(limits_.maxTotalBytes))));
        items.push_back(std::move(item));
    }
    return items;
}

void T7zInArchive::ExtractAllTo(const QString& directory, const ItemFilter& wanted) {
    requireOpen();
    const std::vector<ArchiveItem> items = itemsToUnpack(wanted);
    const QString destination = directory.endsWith(u'/') ? directory : directory + u'/';
    if (!QDir().mkpath(destination))
        throw AppError(QStringLiteral("Nelze vytvořit složku %1").arg(destination));
    const auto errors = std::make_shared<OperationError>();
    const auto callback =
        makeCom<ExtractToDirectoryCallback>(*this, destination, indicesOf(items), limits_, errors);
    try {
        extract(items, *callback, *errors);
    } catch (...) {
        callback->removeUnfinished();
        throw;
    }
}

QList<QPair<QString, QByteArray>> T7zInArchive::readItems(const ItemFilter& wanted) {
    requireOpen();
    const std::vector<ArchiveItem> items = itemsToUnpack(wanted);
    QList<QPair<QString, QByteArray>> result;
    if (items.empty())
        return result;
    const auto errors = std::make_shared<OperationError>();
    const auto callback =
        makeCom<ExtractToMemoryCallback>(*this, indicesOf(items), limits_, errors);
    extract(items, *callback, *errors);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!callback->finished(i))
            throw AppError(
                readErrorText(QStringLiteral("položku %1 nelze rozbalit").arg(items[i].path)));
        result.append({items[i].path, callback->take(i)});
    }
    return result;
}

void T7zInArchive::extract(const std::vector<ArchiveItem>& items, IArchiveExtractCallback& callback,
                           OperationError& errors) {
    if (items.empty())
        return;
    const std::vector<quint32> indices = indicesOf(items); // ascending, as the library requires
    const HRESULT result = handler_->Extract(indices.data(), quint32(indices.size()), 0, &callback);
    if (result != S_OK || errors.isSet() || fileErrors_->isSet())
        fail(result == S_OK ? E_FAIL : result, errors);
}

void T7zInArchive::fail(HRESULT result, OperationError& errors) {
    if (fileErrors_->isSet())
        throw AppError(fileErrors_->text());
    if (errors.isSet())
        throw AppError(errors.text());
    throw AppError(readErrorText(hresultText(result)));
}
