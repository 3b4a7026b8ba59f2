#include "widgets/DialogKeys.h"

#include <QKeyEvent>

namespace dialogkeys {

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool handleConfirmCancel(const QKeyEvent& key, const std::function<void()>& confirm,
                         const std::function<void()>& cancel) {
    if (isEnter(key)) {
        confirm();
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return false;
}

} // namespace dialogkeys
