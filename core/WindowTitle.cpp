#include "core/WindowTitle.h"

QString ApplicationTitle() {
    return QStringLiteral("Pelvarin Kartotéka");
}

QString CardWindowTitle(int number, const QString& cardName) {
    return ApplicationTitle() + QStringLiteral(" - (") + QString::number(number) +
           QStringLiteral(") ") + cardName;
}
