#include "mainwindow/BandBar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int BandTop = 2;

} // namespace

BandBar::BandBar(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

int BandBar::addBand(QWidget* panel, int left) {
    panel->setParent(this);
    panel->installEventFilter(this);
    bands_.append({panel, left});
    placeBand(int(bands_.size()) - 1);
    panel->show();
    return int(bands_.size()) - 1;
}

QWidget* BandBar::bandPanel(int band) const {
    return bands_.value(band).panel;
}

int BandBar::bandLeft(int band) const {
    return bands_.value(band).left;
}

void BandBar::setBandLeft(int band, int left) {
    if (band < 0 || band >= bands_.size())
        return;
    bands_[band].left = left;
    placeBand(band);
    update();
}

int BandBar::bandWidth(int band) const {
    return band >= 0 && band < bands_.size() ? GripWidth + bands_[band].panel->width() + FrameWidth
                                             : 0;
}

QSize BandBar::sizeHint() const {
    int right = 0;
    for (int i = 0; i < bands_.size(); ++i)
        right = qMax(right, bandLeft(i) + bandWidth(i));
    return {right, 38};
}

void BandBar::placeBand(int band) {
    const Band& entry = bands_[band];
    entry.panel->move(entry.left + GripWidth, BandTop);
}

bool BandBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
        event->type() == QEvent::Hide)
        update();
    return QWidget::eventFilter(watched, event);
}

int BandBar::bandAtGrip(const QPoint& point) const {
    for (int i = 0; i < bands_.size(); ++i) {
        const int left = bands_[i].left;
        if (point.x() >= left && point.x() < left + GripWidth && bands_[i].panel->isVisible())
            return i;
    }
    return -1;
}

QPair<int, int> BandBar::freeRange(int band) const {
    const int left = bands_[band].left;
    int lowest = 0;
    int highest = width() - bandWidth(band);
    for (int i = 0; i < bands_.size(); ++i) {
        if (i == band || !bands_[i].panel->isVisible())
            continue;
        if (bands_[i].left < left)
            lowest = qMax(lowest, bands_[i].left + bandWidth(i));
        else
            highest = qMin(highest, bands_[i].left - bandWidth(band));
    }
    return {lowest, qMax(lowest, highest)};
}

void BandBar::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    dragBand_ = event->button() == Qt::LeftButton ? bandAtGrip(point) : -1;
    if (dragBand_ >= 0)
        dragOffset_ = point.x() - bands_[dragBand_].left;
    QWidget::mousePressEvent(event);
}

void BandBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (dragBand_ < 0) {
        setCursor(bandAtGrip(point) >= 0 ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    const auto [lowest, highest] = freeRange(dragBand_);
    const int left = qBound(lowest, point.x() - dragOffset_, highest);
    if (left != bands_[dragBand_].left) {
        setBandLeft(dragBand_, left);
        emit bandMoved(dragBand_);
    }
}

void BandBar::mouseReleaseEvent(QMouseEvent* event) {
    dragBand_ = -1;
    QWidget::mouseReleaseEvent(event);
}

void BandBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Mid);
    painter.setPen(dark);
    painter.drawLine(0, height() - 1, width(), height() - 1);
    for (int i = 0; i < bands_.size(); ++i) {
        if (!bands_[i].panel->isVisible())
            continue;
        const QRect band(bands_[i].left, BandTop, bandWidth(i), height() - 2 * BandTop);
        // A raised frame around the band and a grip of two ridges.
        painter.setPen(light);
        painter.drawLine(band.topLeft(), band.topRight());
        painter.drawLine(band.topLeft(), band.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(band.bottomLeft(), band.bottomRight());
        painter.drawLine(band.topRight(), band.bottomRight());
        for (int x : {band.left() + 2, band.left() + 5}) {
            painter.setPen(light);
            painter.drawLine(x, band.top() + 4, x, band.bottom() - 4);
            painter.setPen(dark);
            painter.drawLine(x + 1, band.top() + 4, x + 1, band.bottom() - 4);
        }
    }
}
