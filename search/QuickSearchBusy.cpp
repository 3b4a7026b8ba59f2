#include "search/QuickSearchBusy.h"

#include <QApplication>
#include <QProgressBar>

namespace {

constexpr int BarHeight = 5;

} // namespace

QuickSearchBusy::QuickSearchBusy(QWidget& box, const QProgressBar& progress)
    : bar_(new QProgressBar(&box)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bar_->setObjectName(QStringLiteral("quickSearchProgress"));
    bar_->setTextVisible(false);
    bar_->setRange(progress.minimum(), progress.maximum());
    bar_->setValue(progress.value());
    bar_->setGeometry(2, box.height() - BarHeight - 2, box.width() - 4, BarHeight);
    QObject::connect(&progress, &QProgressBar::valueChanged, bar_, &QProgressBar::setValue);
    bar_->show();
}

QuickSearchBusy::~QuickSearchBusy() {
    delete bar_;
    QApplication::restoreOverrideCursor();
}
