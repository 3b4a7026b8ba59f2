#pragma once

#include "storage/sevenzip/ExtractCallback.h"
#include "storage/sevenzip/T7zStream.h"

#include <QString>

namespace sevenzip {

// Unpacks items into files below a destination folder. Folder items create
// nothing; items whose path would leave the destination are skipped. Whatever
// stands where an item goes (a file, a link, a folder tree) is removed first. An
// item that fails or is stopped part-way leaves no file behind.
class ExtractToDirectoryCallback final : public ExtractCallback {
public:
    // destination ends with "/".
    ExtractToDirectoryCallback(T7zInArchive& archive, const QString& destination,
                               std::vector<quint32> wanted, const UnpackLimits& limits,
                               std::shared_ptr<OperationError> errors);

    // Removes the file of an item the library left unfinished (after a failure).
    void removeUnfinished();

protected:
    ComPtr<ISequentialOutStream> openItem(quint32 index) override;
    void finishItem(quint32 index, bool ok) override;

private:
    QString destination_;
    ComPtr<T7zStream> file_; // kept until the item's result comes, then closed
    QString filePath_;       // the file of file_; empty between items
};

} // namespace sevenzip
