#include "storage/ProgramDir.h"

#include "storage/AppError.h"
#include "storage/SystemErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

QString withSeparator(QString dir) {
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

} // namespace

namespace programdir {

QString executableDirectory() {
    const QString path = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return withSeparator(QFileInfo(path).absolutePath());
}

bool isPortable(const QString& executableDir) {
    const QString dir = withSeparator(executableDir);
    return QFileInfo::exists(dir + QLatin1String(kPortableMarker)) ||
           QFileInfo(dir + QStringLiteral("FILES")).isDir();
}

// $XDG_DATA_HOME when it is an absolute path; a relative or empty one is
// ignored, as the XDG rules say (it would put the cards wherever the program
// happened to be started), and ~/.local/share stands in.
QString userDataDirectory() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return withSeparator(QDir::cleanPath(base)) + QStringLiteral("kartoteka/");
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
        throw AppError(
            QStringLiteral("Nelze vytvořit složku pro karty %1: %2")
                .arg(QDir::toNativeSeparators(dir), systemerror::systemErrorText(errno)));
}

} // namespace programdir
