#include "storage/sevenzip/ExtractToDirectoryCallback.h"

#include "storage/sevenzip/FileAccess.h"
#include "storage/sevenzip/SafeItemPath.h"
#include "storage/sevenzip/T7zInArchive.h"

#include <QFile>

namespace sevenzip {

ExtractToDirectoryCallback::ExtractToDirectoryCallback(T7zInArchive& archive,
                                                       const QString& destination,
                                                       std::vector<quint32> wanted,
                                                       const UnpackLimits& limits,
                                                       std::shared_ptr<OperationError> errors)
    : ExtractCallback(archive, std::move(wanted), limits, std::move(errors)),
      destination_(destination) {}

ComPtr<ISequentialOutStream> ExtractToDirectoryCallback::openItem(quint32 index) {
    removeUnfinished();
    QStringList parts = safeItemPathParts(archive().itemPath(index));
    if (parts.isEmpty())
        return {};
    const QString fileName = parts.takeLast();
    if (!makeFoldersBelow(destination_, parts))
        return {};
    parts << fileName;
    const QString target = destination_ + parts.join(u'/');
    file_ = makeCom<T7zStream>(replaceWithNewFile(target), true, target, errors());
    filePath_ = target;
    return ComPtr<ISequentialOutStream>(file_.get());
}

void ExtractToDirectoryCallback::finishItem(quint32, bool ok) {
    if (ok) {
        file_.reset();
        filePath_.clear();
    } else {
        removeUnfinished();
    }
}

void ExtractToDirectoryCallback::removeUnfinished() {
    file_.reset();
    if (!filePath_.isEmpty())
        QFile::remove(std::exchange(filePath_, QString()));
}

} // namespace sevenzip
