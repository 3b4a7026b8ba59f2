#include "print/NotesLines.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

// How a paragraph breaks into lines: font, wrap mode and room for a line.
struct LineBreaking {
    QFont font;
    QTextOption option;
    qreal lineWidth = 0;
};

// How the notes box breaks lines when it is boxWidth pixels wide. A real box
// supplies the style's frame, scroll bar, text margin and wrap mode.
LineBreaking notesBox(const QFont& font, int boxWidth) {
    QPlainTextEdit box;
    box.setFont(font);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int scrollBar =
        box.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box.verticalScrollBar());
    const int viewportWidth = boxWidth - 2 * box.frameWidth() - scrollBar;
    QTextOption option = box.document()->defaultTextOption();
    option.setWrapMode(box.wordWrapMode());
    return {font, option, viewportWidth - 2 * box.document()->documentMargin()};
}

QString withoutTrailingSpace(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

QStringList paragraphs(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

QStringList breakParagraph(const QString& paragraph, const LineBreaking& breaking) {
    QStringList lines;
    QTextLayout layout(paragraph, breaking.font);
    layout.setTextOption(breaking.option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(breaking.lineWidth);
        lines << withoutTrailingSpace(paragraph.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

void dropTrailingEmptyLine(QStringList& lines) {
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
}

} // namespace

namespace noteslines {

QStringList notesDisplayLines(const QString& text, const QFont& font, int boxWidth) {
    const LineBreaking box = notesBox(font, boxWidth);
    QStringList lines;
    for (const QString& paragraph : paragraphs(text))
        lines << breakParagraph(paragraph, box);
    dropTrailingEmptyLine(lines);
    return lines;
}

QStringList notesPageLines(const QString& text, const QFont& notesFont, int boxWidth,
                           const QFont& pageFont, int pageWidth) {
    const LineBreaking box = notesBox(notesFont, boxWidth);
    QTextOption wordWrap;
    wordWrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const LineBreaking page{pageFont, wordWrap, qreal(pageWidth)};
    const QFontMetrics pageMetrics(pageFont);
    const auto fitsOnPage = [&](const QString& line) {
        return pageMetrics.horizontalAdvance(line) <= pageWidth;
    };

    QStringList lines;
    for (const QString& paragraph : paragraphs(text)) {
        const QStringList boxLines = breakParagraph(paragraph, box);
        if (std::all_of(boxLines.begin(), boxLines.end(), fitsOnPage))
            lines << boxLines;
        else
            lines << breakParagraph(paragraph, page);
    }
    dropTrailingEmptyLine(lines);
    return lines;
}

} // namespace noteslines
