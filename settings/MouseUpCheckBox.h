#pragma once

#include <QCheckBox>

// A check box that reports every release of a mouse button over it, after the
// box has handled the click (and whether or not the click changed it).
class MouseUpCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

signals:
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
