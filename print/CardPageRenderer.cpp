#include "print/CardPageRenderer.h"

#include "core/WebSite.h"
#include "print/MakeGray.h"
#include "print/NotesLines.h"
#include "print/PrintSource.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int W = CardPageRenderer::Width;
constexpr int H = CardPageRenderer::Height;
constexpr int TableColumns = 2; // key and value
constexpr int LeftEdge = 20;

// Draws text with its top-left corner at (x, y) on an opaque white background.
void drawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void drawRule(QPainter& painter, int y) {
    painter.drawLine(10, y, W - 10, y);
}

int lineHeight(const QPainter& painter) {
    return painter.fontMetrics().height();
}

QString cell(const QString& row, int column) {
    const qsizetype separator = row.indexOf(u'=');
    if (separator < 0)
        return column == 0 ? row : QString();
    return column == 0 ? row.left(separator) : row.mid(separator + 1);
}

// Draws the table column by column, each cell on one line, unclipped; returns
// the lowest y reached by any column.
int drawTable(QPainter& painter, int top, const QStringList& rows, int titleCount) {
    // Columns are spaced by the number of titles so that cells sit under their
    // headings; a table without titles is spaced by its own columns.
    const int step = (W - LeftEdge) / (titleCount > 0 ? titleCount : TableColumns);
    const int h13 = lineHeight(painter);
    int maxY = 0;
    int x = LeftEdge;
    for (int column = 0; column < TableColumns; ++column) {
        int y = top + 5;
        for (const QString& row : rows) {
            drawTextAt(painter, x, y, cell(row, column));
            y += h13;
        }
        maxY = std::max(maxY, y);
        x += step;
    }
    return maxY;
}

} // namespace

QFont CardPageRenderer::pageFont(int pixelHeight, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QString CardPageRenderer::title(const QString& cardName, const QStringList& cardList,
                                bool numbered) {
    if (!numbered)
        return cardName;
    const QString fileName = cardName + QStringLiteral(".krt");
    const auto found = std::find_if(cardList.begin(), cardList.end(), [&](const QString& entry) {
        return entry.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    const qsizetype number = found == cardList.end() ? 0 : found - cardList.begin() + 1;
    return cardName + QStringLiteral(" - ") + QString::number(number);
}

PageGeometry CardPageRenderer::render(const PrintSource& source, const PageOptions& options,
                                      QImage& page) const {
    if (page.size() != QSize(W, H) || page.format() != QImage::Format_RGB32)
        page = QImage(W, H, QImage::Format_RGB32);
    page.fill(Qt::white);

    PageGeometry geometry;
    QPainter painter(&page);
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);

    painter.setFont(pageFont(16, true));
    const QString text = title(source.currentCardName(), source.cardList(), options.numbered);
    geometry.title = QPoint(W / 2 - painter.fontMetrics().horizontalAdvance(text) / 2 - 10, 20);
    drawTextAt(painter, geometry.title.x(), geometry.title.y(), text);
    geometry.y1 = 20 + lineHeight(painter) + 10;
    drawRule(painter, geometry.y1);

    painter.setFont(pageFont(13, true));
    const QStringList titles = source.titleCaptions();
    for (int column = 0, x = LeftEdge; column < TableColumns; ++column) {
        drawTextAt(painter, x, geometry.y1 + 10, titles.value(column));
        x += (W - LeftEdge) / TableColumns;
    }
    geometry.y2 = geometry.y1 + 10 + lineHeight(painter) + 10;
    painter.setFont(pageFont(13, false));
    const int h13 = lineHeight(painter);
    drawRule(painter, geometry.y2);

    const int maxY = drawTable(painter, geometry.y2 + 10, source.tableRows(), titles.size());
    geometry.y3 = maxY + 10 + TableColumns * h13;
    drawRule(painter, geometry.y3);

    int y = geometry.y3 + 10;
    const QStringList notes = NotesPageLines(source.notesText(), source.notesFont(), NotesBoxWidth,
                                             painter.font(), W - 10 - LeftEdge);
    for (const QString& line : notes) {
        drawTextAt(painter, LeftEdge, y, line);
        y += h13;
    }
    y += h13; // one empty line after the notes, also when there are none
    geometry.y4 = y + h13 + 10;
    drawRule(painter, geometry.y4);

    if (options.picture)
        painter.drawImage(QRect(LeftEdge, geometry.y4 + 10, 320, 240), source.picture());

    painter.setFont(pageFont(10, false));
    const QString host = kWebHost;
    geometry.footer = QPoint(W - painter.fontMetrics().horizontalAdvance(host) - 10,
                             H - lineHeight(painter) - 10);
    drawTextAt(painter, geometry.footer.x(), geometry.footer.y(), host);
    painter.end();

    if (options.gray)
        MakeGray(page);
    return geometry;
}
