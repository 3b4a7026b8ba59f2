#include "print/CardPageRenderer.h"

#include "print/MakeGray.h"
#include "print/ScaledCardPage.h"

#include <QPainter>

PageGeometry CardPageRenderer::render(const PrintSource& source, const PageOptions& options,
                                      QImage& page) const {
    const CardPage card = cardpage::makeCardPage(source, options);
    render(card, page);
    return card.layout.geometry;
}

void CardPageRenderer::render(const CardPage& card, QImage& page) const {
    if (page.size() != QSize(Width, Height) || page.format() != QImage::Format_RGB32)
        page = QImage(Width, Height, QImage::Format_RGB32);
    QPainter painter(&page);
    cardpage::paintCardPage(painter, card.layout, card.picture);
    painter.end();
    if (card.gray)
        gray::MakeGray(page);
}
