#include "storage/FileNames.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace filenames {
namespace {

QString withSeparator(const QString& dir) {
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Every file of dir named like `name` in some letter case, the exact spelling too.
QStringList spellingsOf(const QString& dir, const QString& name) {
    QStringList paths;
    const QString prefix = withSeparator(dir);
    QDirIterator entries(dir, QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        if (sameName(entries.fileName(), name) && entries.fileInfo().isFile())
            paths << prefix + entries.fileName();
    }
    return paths;
}

} // namespace

QString existingPath(const QString& dir, const QString& name) {
    const QString exact = withSeparator(dir) + name;
    if (isFile(exact))
        return exact;
    const QStringList paths = spellingsOf(dir, name);
    return paths.isEmpty() ? QString() : paths.first();
}

bool exists(const QString& dir, const QString& name) {
    return !existingPath(dir, name).isEmpty();
}

QString pathForWriting(const QString& dir, const QString& name) {
    const QString exact = withSeparator(dir) + name;
    for (const QString& path : spellingsOf(dir, name)) {
        if (path != exact)
            QFile::remove(path);
    }
    return exact;
}

QString actualPath(const QString& path) {
    const QFileInfo info(path);
    const QString existing = existingPath(info.path(), info.fileName());
    return existing.isEmpty() ? path : existing;
}

QString pathForWriting(const QString& path) {
    const QFileInfo info(path);
    pathForWriting(info.path(), info.fileName());
    return path;
}

bool rename(const QString& dir, const QString& oldName, const QString& newName,
            bool replaceExisting) {
    const QString source = existingPath(dir, oldName);
    if (source.isEmpty())
        return false;
    const QString target = withSeparator(dir) + newName;
    if (source == target)
        return true;
    for (const QString& path : spellingsOf(dir, newName)) {
        if (path == source)
            continue;
        if (!replaceExisting || !QFile::remove(path))
            return false;
    }
    return QFile::rename(source, target);
}

} // namespace filenames
