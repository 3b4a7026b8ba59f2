#pragma once

#include "print/CardPageLayout.h"

#include <QImage>
#include <QString>
#include <QStringList>

struct CardPage;

// Draws the open card as one page image of a fixed size with the proportions
// of an A4 sheet (the layout of CardPageLayout.h), for the preview and the
// page copy Output.bmp. Whatever does not fit is cut off; there is never a
// second page.
class CardPageRenderer {
public:
    static constexpr int Width = CardPageLayout::PageWidth;
    static constexpr int Height = CardPageLayout::PageHeight;

    // Draws the page into page (made Width x Height if it is not) from what
    // source shows now.
    PageGeometry render(const PrintSource& source, const PageOptions& options, QImage& page) const;
    // Draws an already laid-out page into page; a grey page is greyed as a whole.
    void render(const CardPage& card, QImage& page) const;

    static QString title(const QString& cardName, const QStringList& cardList, bool numbered) {
        return cardpage::cardPageTitle(cardName, cardList, numbered);
    }
    static QFont pageFont(int pixelHeight, bool bold) {
        return cardpage::cardPageFont(pixelHeight, bold);
    }
};
