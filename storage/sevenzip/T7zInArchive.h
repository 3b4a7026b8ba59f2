#pragma once

#include "storage/sevenzip/ComInterfaces.h"
#include "storage/sevenzip/OperationError.h"
#include "storage/sevenzip/T7zArchive.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// Reads one archive file: lists its items and unpacks them into a folder or
// into memory. Every failure throws AppError with a readable text.
class T7zInArchive : public T7zArchive {
public:
    explicit T7zInArchive(const QString& libraryPath);
    // A reader on a library loaded once for many readers (see T7zPlugin).
    explicit T7zInArchive(std::shared_ptr<const T7zPlugin> loaded);
    ~T7zInArchive() override;

    // Opens the archive file at path; it stays open until the reader goes. Fails
    // when the file is missing, is not a Zip archive or is damaged.
    void OpenArchive(const QString& path);
    // Unpacks every file item into directory (created if missing), replacing
    // files already there and creating the folders of item paths. Folder items
    // create nothing; items with absolute paths or ".." parts are skipped, so
    // nothing is written outside directory. Fails on the first item that does
    // not unpack cleanly.
    void ExtractAllTo(const QString& directory);
    // Unpacks into memory only the file items whose archive path `wanted`
    // accepts; results in archive order.
    QList<QPair<QString, QByteArray>>
    ReadItems(const std::function<bool(const QString& itemPath)>& wanted);

    // Item queries; index must be below NumberOfItems().
    quint32 NumberOfItems();
    QString ItemPath(quint32 index);
    bool ItemIsFolder(quint32 index);
    quint64 ItemSize(quint32 index);

private:
    sevenzip::IInArchive& handler();
    void close();
    void requireOpen() const;
    void checkIndex(quint32 index) const;
    void rejectDamagedArchive();
    void extract(const quint32* indices, quint32 count, sevenzip::IArchiveExtractCallback& callback,
                 sevenzip::OperationError& errors);
    // Throws the text recorded by callbacks and streams, else the text for result.
    [[noreturn]] void fail(sevenzip::HRESULT result, sevenzip::OperationError& errors);

    sevenzip::ComPtr<sevenzip::IInArchive> handler_;
    // Errors of the archive file's stream, which the handler keeps and reads
    // during every later call.
    std::shared_ptr<sevenzip::OperationError> fileErrors_;
    bool open_ = false;
    quint32 itemCount_ = 0;
};
