#include "print/ScaledCardPage.h"

#include "print/MakeGray.h"
#include "print/PrintSource.h"

#include <QPainter>
#include <QRectF>
#include <QTransform>

namespace cardpage {

CardPage makeCardPage(const PrintSource& source, const PageOptions& options) {
    CardPage page;
    page.layout = cardpage::layOutCardPage(source, options);
    if (options.picture)
        page.picture = source.picture();
    page.gray = options.gray;
    return page;
}

void paintScaledCardPage(QPainter& painter, const QRectF& area, const CardPage& page) {
    QImage picture = page.picture;
    if (page.gray && !picture.isNull())
        gray::MakeGray(picture);
    painter.save();
    painter.setTransform(QTransform::fromTranslate(area.x(), area.y())
                             .scale(area.width() / CardPageLayout::PageWidth,
                                    area.height() / CardPageLayout::PageHeight),
                         true);
    cardpage::paintCardPage(painter, page.layout, picture);
    painter.restore();
}

} // namespace cardpage
