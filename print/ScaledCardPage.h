#pragma once

#include "print/CardPageLayout.h"

#include <QImage>

class QRectF;

// A laid-out card page with what it shows: the picture (null without one) and
// whether the page is grey.
struct CardPage {
    CardPageLayout layout;
    QImage picture;
    bool gray = false;
};

namespace cardpage {

// The page of the open card as source shows it now, with options applied.
CardPage makeCardPage(const PrintSource& source, const PageOptions& options);

// Paints page stretched over area of painter's device, at the device's own
// resolution: text and rules stay sharp, and a PDF keeps the text as text. A
// grey page is painted in grey directly (its text and rules are black already,
// so only the picture is greyed), which gives the page the grey page image
// shows.
void paintScaledCardPage(QPainter& painter, const QRectF& area, const CardPage& page);

} // namespace cardpage
