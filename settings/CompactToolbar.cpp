#include "settings/CompactToolbar.h"

#include <QAbstractButton>

namespace {

constexpr int kButtonWidth = 30;

void placeButton(QAbstractButton* button, int left) {
    button->move(left, button->y());
}

void compactButton(QAbstractButton* button, int left) {
    button->setText(QString());
    button->setFixedWidth(kButtonWidth);
    placeButton(button, left);
}

} // namespace

namespace toolbar {

void CompactToolbar(const ToolbarControls& toolbar) {
    compactButton(toolbar.SpeedButton3, 76);
    compactButton(toolbar.SpeedButton4, 2);
    compactButton(toolbar.SpeedButton5, 2);
    compactButton(toolbar.SpeedButton6, 40);
    compactButton(toolbar.SpeedButton10, 2);
    compactButton(toolbar.SpeedButton11, 2);
    compactButton(toolbar.SpeedButton12, 40);
    toolbar.SpeedButton12->setVisible(true);
    compactButton(toolbar.SpeedButton14, 113);
    placeButton(toolbar.SpeedButton13, 145);
    toolbar.Panel2->setFixedWidth(75);
    toolbar.Panel6->setFixedWidth(110);
    toolbar.Panel4->setFixedWidth(165);
    toolbar.Panel5->setFixedWidth(35);
    toolbar.Panel1->setFixedWidth(35);
}

} // namespace toolbar
