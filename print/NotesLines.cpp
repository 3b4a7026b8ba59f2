#include "print/NotesLines.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The width left for text inside a notes box of boxWidth pixels: the box's
// frame on both sides and its vertical scroll bar take their share.
int viewportWidth(const QPlainTextEdit& box, int boxWidth) {
    const int scrollBar =
        box.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box.verticalScrollBar());
    return boxWidth - 2 * box.frameWidth() - scrollBar;
}

QString withoutTrailingSpace(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

QString withLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// The lines of paragraph broken at lineWidth pixels in font.
QStringList wrapParagraph(const QString& paragraph, const QFont& font, const QTextOption& option,
                          qreal lineWidth) {
    QStringList lines;
    QTextLayout layout(paragraph, font);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        lines << withoutTrailingSpace(paragraph.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

} // namespace

QStringList NotesDisplayLines(const QString& text, const QFont& font, int boxWidth) {
    // A real box supplies the style's frame, scroll bar, text margin and wrap
    // mode; each paragraph is then broken into lines as that box breaks it.
    QPlainTextEdit box;
    box.setFont(font);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const qreal margin = box.document()->documentMargin();
    const qreal lineWidth = viewportWidth(box, boxWidth) - 2 * margin;
    QTextOption option = box.document()->defaultTextOption();
    option.setWrapMode(box.wordWrapMode());

    QStringList lines;
    for (const QString& paragraph : withLineFeeds(text).split(u'\n'))
        lines << wrapParagraph(paragraph, font, option, lineWidth);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList FitLinesToWidth(const QStringList& lines, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList fitted;
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) <= width)
            fitted << line;
        else
            fitted << wrapParagraph(line, font, wrapping, width);
    }
    return fitted;
}
