#include "print/PrinterTextChannel.h"

#include "print/PrinterErrors.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

PrinterTextChannel::PrinterTextChannel(QPrinter& printer, const QFont& font,
                                       std::function<bool()> abortRequested)
    : printer_(printer), font_(font), metrics_(font, &printer),
      abortRequested_(std::move(abortRequested)),
      pageHeight_(printer.pageRect(QPrinter::DevicePixel).toRect().height()), pages_(1) {}

void PrinterTextChannel::write(const QString& text) {
    QString run;
    for (const QChar c : text) {
        if (c != u'\n' && c != u'\r') {
            run += c;
            continue;
        }
        addRun(run);
        run.clear();
        x_ = 0;
        if (c == u'\n')
            y_ += metrics_.height();
    }
    addRun(run);
}

void PrinterTextChannel::addRun(const QString& text) {
    if (text.isEmpty() || aborted_)
        return;
    // A page break waits for the first text below the page, so that a line
    // feed at the very end never leaves an empty page behind.
    if (y_ + metrics_.height() > pageHeight_)
        beginNewPage();
    if (aborted_)
        return;
    pages_.last().append({QPoint(x_, y_), text});
    x_ += metrics_.horizontalAdvance(text);
}

void PrinterTextChannel::beginNewPage() {
    if (abortRequested_) {
        QCoreApplication::processEvents();
        if (abortRequested_()) {
            aborted_ = true;
            return;
        }
    }
    pages_.append(QList<Run>());
    y_ = 0;
}

void PrinterTextChannel::close() {
    if (aborted_ || (abortRequested_ && abortRequested_())) {
        aborted_ = true;
        return;
    }
    printPages();
}

void PrinterTextChannel::printPages() {
    QPainter painter;
    if (!painter.begin(&printer_))
        throw printererrors::printJobCannotBegin(printer_.printerName());
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    bool failed = false;
    for (qsizetype page = 0; page < pages_.size() && !failed; ++page) {
        if (page > 0 && !printer_.newPage())
            failed = true;
        for (const Run& run : pages_.at(page))
            painter.drawText(run.position + QPoint(0, ascent), run.text);
    }
    if (!painter.end() || failed || printer_.printerState() == QPrinter::Error)
        throw printererrors::printJobFailed(printer_.printerName());
}
