#include "storage/KeptCardVersion.h"

#include "storage/AppError.h"
#include "storage/CardHistory.h"
#include "storage/CardVersionName.h"
#include "storage/FileBytes.h"
#include "storage/HistoryRetention.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Errors of link() that mean this file system cannot link here; a copy can.
bool linkImpossible(int error) {
    return error == EXDEV || error == EPERM || error == EMLINK || error == ENOTSUP ||
           error == EOPNOTSUPP;
}

// The link follows a symbolic link: the version is the data the save replaces.
int linkFile(const QString& source, const QString& target) {
    const int result = ::linkat(AT_FDCWD, QFile::encodeName(source).constData(), AT_FDCWD,
                                QFile::encodeName(target).constData(), AT_SYMLINK_FOLLOW);
    return result == 0 ? 0 : errno;
}

// Copied under a name that is no version's, and renamed only once whole, so
// that an interrupted copy never passes for a version.
void copyFile(const QString& source, const QString& target) {
    const QFileInfo info(target);
    const QString partial = QStringLiteral("%1/.%2.part-%3")
                                .arg(info.path(), info.fileName())
                                .arg(QCoreApplication::applicationPid());
    QFile::remove(partial);
    QFile file(source);
    if (!file.copy(partial))
        throw AppError(filebytes::writeError(target, file.errorString()));
    QFile copied(partial);
    if (!copied.rename(target)) {
        QFile::remove(partial);
        throw AppError(filebytes::writeError(target, copied.errorString()));
    }
}

// Links (or copies) cardPath into folder under the first free name of this
// moment; returns that name's path.
QString keepCopyOf(const QString& cardPath, const QString& folder) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int sequence = 0;; ++sequence) {
        const QString version = folder + cardversionname::make(now, sequence);
        const int error = linkFile(cardPath, version);
        if (error == 0)
            return version;
        if (error == EEXIST)
            continue;
        if (!linkImpossible(error))
            throw AppError(filebytes::writeError(version, systemReason(error)));
        if (QFileInfo::exists(version))
            continue;
        copyFile(cardPath, version);
        return version;
    }
}

} // namespace

KeptCardVersion::KeptCardVersion(const QString& historyDir, const QString& cardPath)
    : exceptionsAtStart_(std::uncaught_exceptions()) {
    if (historyDir.isEmpty() || !QFileInfo(cardPath).isFile())
        return;
    const QString folder = cardhistory::folderOf(historyDir, QFileInfo(cardPath).fileName());
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Nelze vytvořit složku %1").arg(folder));
    version_ = keepCopyOf(cardPath, folder);
    folder_ = folder;
}

KeptCardVersion::~KeptCardVersion() {
    if (version_.isEmpty())
        return;
    if (std::uncaught_exceptions() > exceptionsAtStart_)
        QFile::remove(version_);
    else
        historyretention::prune(folder_);
}
