#include "storage/ProgramDir.h"

#include <QFileInfo>

QString executableDirectory() {
    QString dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    dir = QFileInfo(dir).absolutePath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}
