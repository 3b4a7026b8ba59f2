#include "storage/ProgramDir.h"

#include "storage/AppError.h"
#include "storage/SystemErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace {

QString withSeparator(QString dir) {
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

} // namespace

QString executableDirectory() {
    const QString path = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return withSeparator(QFileInfo(path).absolutePath());
}

namespace programdir {

bool isPortable(const QString& executableDir) {
    const QString dir = withSeparator(executableDir);
    return QFileInfo::exists(dir + QLatin1String(kPortableMarker)) ||
           QFileInfo(dir + QStringLiteral("FILES")).isDir();
}

// QStandardPaths follows the XDG rules: $XDG_DATA_HOME when it is an absolute
// path, ~/.local/share otherwise.
QString userDataDirectory() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return withSeparator(base) + QStringLiteral("kartoteka/");
}

QString dataDirectory(const QString& executableDir) {
    return isPortable(executableDir) ? withSeparator(executableDir) : userDataDirectory();
}

void makeDataDirectory(const QString& dataDir) {
    const QString dir = QDir::cleanPath(dataDir);
    if (QFileInfo(dir).isDir())
        return;
    const QString parent = QFileInfo(dir).absolutePath();
    const bool made = QDir().mkpath(parent) &&
                      QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!made)
        throw AppError(QStringLiteral("Nelze vytvořit složku pro karty %1: %2")
                           .arg(QDir::toNativeSeparators(dir), SystemErrorText(errno)));
}

} // namespace programdir
