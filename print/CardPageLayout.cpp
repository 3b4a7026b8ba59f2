#include "print/CardPageLayout.h"

#include "core/WebSite.h"
#include "print/NotesLines.h"
#include "print/PrintSource.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int W = CardPageLayout::PageWidth;
constexpr int H = CardPageLayout::PageHeight;
constexpr int TableColumns = 2; // key and value
constexpr int LeftEdge = 20;
// The notes are wrapped as the notes box wraps them at this width, as long as
// their lines fit on the page.
constexpr int NotesBoxWidth = W + 100;

// Measures text as the page image does, whatever device the page is painted on later.
QFontMetrics pageMetrics(const QFont& font) {
    static const QImage page(1, 1, QImage::Format_RGB32);
    return QFontMetrics(font, &page);
}

QString cell(const QString& row, int column) {
    const qsizetype separator = row.indexOf(u'=');
    if (separator < 0)
        return column == 0 ? row : QString();
    return column == 0 ? row.left(separator) : row.mid(separator + 1);
}

// Places texts line by line in one font, each with its top-left corner given.
class TextPlacer {
public:
    TextPlacer(QList<PageText>& texts, const QFont& font)
        : texts_(texts), font_(font), metrics_(pageMetrics(font)) {}

    void place(int x, int top, const QString& text) {
        texts_.append({font_, QPoint(x, top + metrics_.ascent()), text});
    }
    int lineHeight() const { return metrics_.height(); }
    int width(const QString& text) const { return metrics_.horizontalAdvance(text); }

private:
    QList<PageText>& texts_;
    QFont font_;
    QFontMetrics metrics_;
};

// Places the table column by column, each cell on one line, unclipped; returns
// the lowest y reached by any column.
int placeTable(TextPlacer& cells, int top, const QStringList& rows, int titleCount) {
    // Columns are spaced by the number of titles so that cells sit under their
    // headings; a table without titles is spaced by its own columns.
    const int step = (W - LeftEdge) / (titleCount > 0 ? titleCount : TableColumns);
    int maxY = 0;
    int x = LeftEdge;
    for (int column = 0; column < TableColumns; ++column) {
        int y = top + 5;
        for (const QString& row : rows) {
            cells.place(x, y, cell(row, column));
            y += cells.lineHeight();
        }
        maxY = std::max(maxY, y);
        x += step;
    }
    return maxY;
}

// Places the notes lines from top; returns the y below the empty line that
// follows them (also when there are none).
int placeNotes(TextPlacer& notes, int top, const PrintSource& source, const QFont& font) {
    int y = top;
    const QStringList lines = noteslines::notesPageLines(source.notesText(), source.notesFont(),
                                                         NotesBoxWidth, font, W - 10 - LeftEdge);
    for (const QString& line : lines) {
        notes.place(LeftEdge, y, line);
        y += notes.lineHeight();
    }
    return y + notes.lineHeight();
}

void drawText(QPainter& painter, const PageText& text) {
    painter.setFont(text.font);
    painter.drawText(text.baseline, text.text);
}

} // namespace

namespace cardpage {

QFont cardPageFont(int pixelHeight, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QString cardPageTitle(const QString& cardName, const QStringList& cardList, bool numbered) {
    if (!numbered)
        return cardName;
    const QString fileName = cardName + QStringLiteral(".krt");
    const auto found = std::find_if(cardList.begin(), cardList.end(), [&](const QString& entry) {
        return entry.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    const qsizetype number = found == cardList.end() ? 0 : found - cardList.begin() + 1;
    return cardName + QStringLiteral(" - ") + QString::number(number);
}

CardPageLayout layOutCardPage(const PrintSource& source, const PageOptions& options) {
    CardPageLayout layout;
    PageGeometry& geometry = layout.geometry;

    TextPlacer title(layout.texts, cardpage::cardPageFont(16, true));
    const QString text =
        cardpage::cardPageTitle(source.currentCardName(), source.cardList(), options.numbered);
    geometry.title = QPoint(W / 2 - title.width(text) / 2 - 10, 20);
    title.place(geometry.title.x(), geometry.title.y(), text);
    geometry.y1 = 20 + title.lineHeight() + 10;

    TextPlacer headings(layout.texts, cardpage::cardPageFont(13, true));
    const QStringList titles = source.titleCaptions();
    for (int column = 0, x = LeftEdge; column < TableColumns; ++column) {
        headings.place(x, geometry.y1 + 10, titles.value(column));
        x += (W - LeftEdge) / TableColumns;
    }
    geometry.y2 = geometry.y1 + 10 + headings.lineHeight() + 10;

    const QFont regular = cardpage::cardPageFont(13, false);
    TextPlacer cells(layout.texts, regular);
    const int maxY = placeTable(cells, geometry.y2 + 10, source.tableRows(), titles.size());
    geometry.y3 = maxY + 10 + TableColumns * cells.lineHeight();

    const int belowNotes = placeNotes(cells, geometry.y3 + 10, source, regular);
    geometry.y4 = belowNotes + cells.lineHeight() + 10;
    layout.rules = {geometry.y1, geometry.y2, geometry.y3, geometry.y4};

    if (options.picture)
        layout.pictureArea = QRect(LeftEdge, geometry.y4 + 10, 320, 240);

    QList<PageText> footer;
    TextPlacer host(footer, cardpage::cardPageFont(10, false));
    geometry.footer = QPoint(W - host.width(kWebHost) - 10, H - host.lineHeight() - 10);
    host.place(geometry.footer.x(), geometry.footer.y(), kWebHost);
    layout.footer = footer.first();
    return layout;
}

void paintCardPage(QPainter& painter, const CardPageLayout& layout, const QImage& picture) {
    painter.save();
    painter.setClipRect(QRect(0, 0, W, H), Qt::IntersectClip);
    painter.fillRect(QRect(0, 0, W, H), Qt::white);
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    for (int y : layout.rules)
        painter.drawLine(10, y, W - 10, y);
    for (const PageText& text : layout.texts)
        drawText(painter, text);
    if (!layout.pictureArea.isEmpty())
        painter.drawImage(layout.pictureArea, picture);
    drawText(painter, layout.footer);
    painter.restore();
}

} // namespace cardpage
