#include "mainwindow/Resources.h"

#include <QDir>
#include <QFile>

// The resources live in a static library: referencing their initialiser keeps
// the linker from dropping them.
static void ensureResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace resources {

QImage nselectBitmap() {
    ensureResources();
    static const QImage bitmap(QStringLiteral(":/nselect.bmp"), "BMP");
    return bitmap;
}

QIcon themedIcon(const QString& name) {
    ensureResources();
    QIcon bundled;
    for (const int size : {24, 48}) {
        const QString file = QStringLiteral(":/icons/%1/%2.png").arg(size).arg(name);
        if (QFile::exists(file))
            bundled.addFile(file, QSize(size, size));
    }
    return QIcon::fromTheme(name, bundled);
}

// The program's own icon, the one its menu entry shows, in every size drawn.
QIcon applicationIcon() {
    ensureResources();
    QIcon icon;
    const QDir sizes(QStringLiteral(":/appicon"));
    for (const QString& file : sizes.entryList(QDir::Files))
        icon.addFile(sizes.filePath(file));
    return icon;
}

} // namespace resources
