#pragma once

#include <QFont>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class PrintSource;
class QImage;
class QPainter;

// The choices of the print dialog that change the card page.
struct PageOptions {
    bool numbered = false; // the title carries the card's position in the card list
    bool picture = false;  // draw the picture
    bool gray = false;     // turn the whole page grey
};

// Where the parts of a laid-out page lie: the title's top-left corner, the four
// horizontal rules from top to bottom, and the footer's top-left corner.
struct PageGeometry {
    QPoint title;
    int y1 = 0; // under the title
    int y2 = 0; // under the column headings
    int y3 = 0; // under the table
    int y4 = 0; // under the notes; the picture starts 10 pixels below it
    QPoint footer;
};

// One line of text on the page, placed by its baseline.
struct PageText {
    QFont font;
    QPoint baseline;
    QString text;
};

// The card page as placed parts on a page of PageWidth x PageHeight units: every
// position and line break is computed once, with the font metrics of the page
// image, so that the preview, the paper and a PDF, each painted from the same
// layout, show the same page.
struct CardPageLayout {
    static constexpr int PageWidth = 525;
    static constexpr int PageHeight = 742;

    QList<int> rules;      // heights of the rules from x = 10 to PageWidth - 10
    QList<PageText> texts; // title, column headings, cells and notes lines
    QRect pictureArea;     // where the picture is stretched; empty without one
    PageText footer;       // drawn last, over whatever reaches the bottom
    PageGeometry geometry;
};

namespace cardpage {

// Lays out the open card as source shows it now: title, column headings, the
// key/value table column by column, the word-wrapped notes, optionally the
// picture, and the web address at the bottom. Whatever lies below the page is
// cut off when painted; there is never a second page.
CardPageLayout layOutCardPage(const PrintSource& source, const PageOptions& options);

// Paints layout in page units on painter, whose transform maps the page onto
// its device: a white page, black rules one unit wide, black text on an
// opaque white background, and picture stretched into its area.
void paintCardPage(QPainter& painter, const CardPageLayout& layout, const QImage& picture);

// The page title: the card name, with " - N" when numbered, N being the
// 1-based position of name + ".krt" in cardList regardless of letter case (0
// when it is not there).
QString cardPageTitle(const QString& cardName, const QStringList& cardList, bool numbered);

// The page font (also the print dialog's) at a cell height in page units.
QFont cardPageFont(int pixelHeight, bool bold);

} // namespace cardpage
