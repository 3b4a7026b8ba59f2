#include "settings/MouseUpCheckBox.h"

#include <QMouseEvent>

void MouseUpCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint()))
        emit mouseUp();
}
