#include "core/FileExtension.h"

namespace fileextension {

QString upperCaseExtension(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

} // namespace fileextension
