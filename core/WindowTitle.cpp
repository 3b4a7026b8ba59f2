#include "core/WindowTitle.h"

namespace windowtitle {

QString applicationTitle() {
    return QStringLiteral("Pelvarin Kartotéka");
}

QString cardWindowTitle(int number, const QString& cardName) {
    return windowtitle::applicationTitle() + QStringLiteral(" - (") + QString::number(number) +
           QStringLiteral(") ") + cardName;
}

} // namespace windowtitle
