#include "storage/CardHistory.h"

#include "storage/AppError.h"
#include "storage/HistoryRetention.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace cardhistory {
namespace {

bool folderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

// A folder path without its closing "/", as QDir::rename wants it.
QString withoutSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder.chopped(1) : folder;
}

} // namespace

QString folderOf(const QString& historyDir, const QString& cardFileName) {
    const QString root = historyDir.endsWith(u'/') ? historyDir : historyDir + u'/';
    return root + cardFileName + u'/';
}

QList<CardVersion> versions(const QString& folder) {
    QList<CardVersion> found;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    // Read with the system's calls: every save lists its card's history, and
    // the file information objects of a hundred versions would cost it a
    // good part of a millisecond.
    DIR* directory = ::opendir(QFile::encodeName(prefix).constData());
    if (!directory)
        return found;
    while (const dirent* entry = ::readdir(directory)) {
        const QString name = QFile::decodeName(entry->d_name);
        const auto stamp = cardversionname::parse(name);
        struct stat file {};
        if (stamp && ::fstatat(::dirfd(directory), entry->d_name, &file, 0) == 0 &&
            S_ISREG(file.st_mode))
            found.append({prefix + name, *stamp, qint64(file.st_size)});
    }
    ::closedir(directory);
    std::sort(found.begin(), found.end(), [](const CardVersion& a, const CardVersion& b) {
        return a.stamp.newerThan(b.stamp);
    });
    return found;
}

bool move(const QString& historyDir, const QString& oldFileName, const QString& newFileName) {
    const QString source = withoutSeparator(folderOf(historyDir, oldFileName));
    const QString target = withoutSeparator(folderOf(historyDir, newFileName));
    if (source == target)
        return true;
    if (!setAside(historyDir, newFileName))
        return false;
    return !folderExists(source) || QDir().rename(source, target);
}

bool setAside(const QString& historyDir, const QString& cardFileName) {
    const QString folder = withoutSeparator(folderOf(historyDir, cardFileName));
    if (!folderExists(folder))
        return true;
    const QString stamp = QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmss-zzz");
    QString aside = folder + u'~' + stamp;
    for (int counter = 1; QFileInfo::exists(aside); ++counter)
        aside = folder + u'~' + stamp + u'-' + QString::number(counter);
    return QDir().rename(folder, aside);
}

QString newVersionPath(const QString& folder, const QDateTime& momentUtc) {
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Nelze vytvořit složku %1").arg(folder));
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    for (int sequence = 0;; ++sequence) {
        const QString path = prefix + cardversionname::make(momentUtc, sequence);
        if (!QFileInfo::exists(path))
            return path;
    }
}

void adopt(const QString& historyDir, const QString& cardFileName, const QString& path) {
    const QString folder = folderOf(historyDir, cardFileName);
    const QFileInfo file(path);
    const QString version = newVersionPath(folder, file.lastModified().toUTC());
    // Renamed where FILES and HISTORY share a file system, copied elsewhere.
    if (!QFile::rename(path, version) && !(QFile::copy(path, version) && QFile::remove(path))) {
        QFile::remove(version);
        throw AppError(
            QStringLiteral("Soubor %1 nelze přesunout do historie karty (%2).").arg(path, folder));
    }
    historyretention::prune(folder);
}

} // namespace cardhistory
