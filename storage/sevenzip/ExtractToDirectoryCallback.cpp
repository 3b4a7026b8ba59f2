#include "storage/sevenzip/ExtractToDirectoryCallback.h"

#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/SafeItemPath.h"
#include "storage/sevenzip/T7zInArchive.h"

namespace sevenzip {

ExtractToDirectoryCallback::ExtractToDirectoryCallback(T7zInArchive& archive,
                                                       const QString& destination,
                                                       std::shared_ptr<OperationError> errors)
    : ExtractCallback(archive, std::move(errors)), destination_(destination) {}

ComPtr<ISequentialOutStream> ExtractToDirectoryCallback::openItem(quint32 index) {
    file_.reset();
    if (archive().ItemIsFolder(index))
        return {};
    QStringList parts = safeItemPathParts(archive().ItemPath(index));
    if (parts.isEmpty())
        return {};
    const QString fileName = parts.takeLast();
    if (!makeFoldersBelow(destination_, parts))
        return {};
    parts << fileName;
    const QString target = destination_ + parts.join(u'/');
    file_ = makeCom<T7zStream>(replaceWithNewFile(target), true, target, errors());
    return ComPtr<ISequentialOutStream>(file_.get());
}

void ExtractToDirectoryCallback::finishItem(quint32, bool) {
    file_.reset();
}

} // namespace sevenzip
