#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

class PrintSource;

// The choices of the print dialog that change the card page.
struct PageOptions {
    bool numbered = false; // the title carries the card's position in the card list
    bool picture = false;  // draw the picture
    bool gray = false;     // turn the whole page grey
};

// Where the parts of a rendered page lie: the title's top-left corner, the four
// horizontal rules from top to bottom, and the footer's top-left corner.
struct PageGeometry {
    QPoint title;
    int y1 = 0; // under the title
    int y2 = 0; // under the column headings
    int y3 = 0; // under the table
    int y4 = 0; // under the notes; the picture starts 10 pixels below it
    QPoint footer;
};

// Draws the open card as one page image of a fixed size with the proportions
// of an A4 sheet: title, column headings, the key/value table column by column,
// the word-wrapped notes, optionally the picture, and the web address at the
// bottom. Whatever does not fit is cut off; there is never a second page.
class CardPageRenderer {
public:
    static constexpr int Width = 525;
    static constexpr int Height = 742;
    // The notes are wrapped as the notes box wraps them at this width, as long
    // as their lines fit on the page.
    static constexpr int NotesBoxWidth = Width + 100;

    // Draws the page into page (made Width x Height if it is not) from what
    // source shows now.
    PageGeometry render(const PrintSource& source, const PageOptions& options, QImage& page) const;

    // The page title: the card name, with " - N" when numbered, N being the
    // 1-based position of name + ".krt" in cardList regardless of letter case
    // (0 when it is not there).
    static QString title(const QString& cardName, const QStringList& cardList, bool numbered);
    // The page font (also the print dialog's) at a cell height in pixels.
    static QFont pageFont(int pixelHeight, bool bold);
};
