#pragma once

#include "storage/sevenzip/ExtractCallback.h"
#include "storage/sevenzip/T7zStream.h"

#include <QString>

namespace sevenzip {

// Unpacks items into files below a destination folder. Folder items create
// nothing; items whose path would leave the destination are skipped.
class ExtractToDirectoryCallback final : public ExtractCallback {
public:
    // destination ends with "/".
    ExtractToDirectoryCallback(T7zInArchive& archive, const QString& destination,
                               std::shared_ptr<OperationError> errors);

protected:
    ComPtr<ISequentialOutStream> openItem(quint32 index) override;
    void finishItem(quint32 index, bool ok) override;

private:
    QString destination_;
    ComPtr<T7zStream> file_; // kept until the item's result comes, then closed
};

} // namespace sevenzip
