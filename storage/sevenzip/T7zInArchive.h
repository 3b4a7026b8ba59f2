#pragma once

#include "storage/sevenzip/ArchiveItem.h"
#include "storage/sevenzip/ComInterfaces.h"
#include "storage/sevenzip/OperationError.h"
#include "storage/sevenzip/T7zArchive.h"
#include "storage/sevenzip/UnpackLimits.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// Reads one archive file: lists its items and unpacks them into a folder or
// into memory. Every failure throws AppError with a readable Czech text that
// names the archive file.
//
// Both ways of unpacking take the same items (chooseItems: no folders, no
// unsafe names, one item per name without regard to case) and keep to the same
// limits (UnpackLimits): an archive with more items than allowed fails at
// OpenArchive, one whose declared or actual sizes pass a limit fails before or
// while unpacking, and leaves no part of the item that passed it.
class T7zInArchive : public T7zArchive {
public:
    using ItemFilter = std::function<bool(const QString& itemPath)>;

    explicit T7zInArchive(const QString& libraryPath);
    // A reader on a library loaded once for many readers (see T7zPlugin).
    explicit T7zInArchive(std::shared_ptr<const T7zPlugin> loaded);
    ~T7zInArchive() override;

    // The limits of every later OpenArchive and unpack.
    void setLimits(const UnpackLimits& limits) { limits_ = limits; }

    // Opens the archive file at path; it stays open until the reader goes. Fails
    // when the file is missing, is not a regular file, is not a Zip archive, is
    // damaged or holds more items than the limit.
    void OpenArchive(const QString& path);
    // Unpacks the chosen file items that `wanted` accepts (all when it is empty)
    // into directory (created if missing), creating the folders of item paths.
    // Items with absolute paths or ".." parts are skipped, so nothing is written
    // outside directory. Fails on the first item that does not unpack cleanly.
    void ExtractAllTo(const QString& directory, const ItemFilter& wanted = {});
    // Unpacks into memory only the chosen file items whose archive path `wanted`
    // accepts; results in archive order.
    QList<QPair<QString, QByteArray>> readItems(const ItemFilter& wanted);

    // Item queries; index must be below numberOfItems().
    quint32 numberOfItems();
    QString itemPath(quint32 index);
    bool itemIsFolder(quint32 index);
    quint64 itemSize(quint32 index);
    // The chosen file items (see above).
    std::vector<ArchiveItem> chosenItems();

    // Texts naming the open archive file, for the callbacks.
    QString readErrorText(const QString& reason) const;
    QString itemTooLargeText(const QString& itemPath, quint64 limit) const;
    QString totalTooLargeText(quint64 limit) const;

private:
    sevenzip::IInArchive& handler();
    void close();
    void requireOpen() const;
    void checkIndex(quint32 index) const;
    void rejectDamagedArchive();
    void rejectTooManyItems();
    // The chosen items that `wanted` accepts, their declared sizes checked.
    std::vector<ArchiveItem> itemsToUnpack(const ItemFilter& wanted);
    void extract(const std::vector<ArchiveItem>& items, sevenzip::IArchiveExtractCallback& callback,
                 sevenzip::OperationError& errors);
    // Throws the text recorded by callbacks and streams, else the text for result.
    [[noreturn]] void fail(sevenzip::HRESULT result, sevenzip::OperationError& errors);

    sevenzip::ComPtr<sevenzip::IInArchive> handler_;
    // Errors of the archive file's stream, which the handler keeps and reads
    // during every later call.
    std::shared_ptr<sevenzip::OperationError> fileErrors_;
    UnpackLimits limits_;
    QString path_;
    bool open_ = false;
    quint32 itemCount_ = 0;
};
